// quirel-inspect [--resources DIR] LAYOUT_FILE: reads a layout file headless and prints the result as one line of JSON.
//
// The line comes after whatever the reader itself printed, and holds the root widget (or
// null), the design size and format the reader took, the sprite sheets loaded so far and the
// file's animations with their tracks and key frames. Exit code 0 when the file was read, even
// when it gave no widget; 2 for a missing argument or resources that cannot be opened.
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "engine/engine.h"
#include "ui/layout/ActionFadeFrame.h"
#include "ui/layout/ActionManager.h"
#include "ui/layout/ActionMoveFrame.h"
#include "ui/layout/ActionNode.h"
#include "ui/layout/ActionObject.h"
#include "ui/layout/ActionRotationFrame.h"
#include "ui/layout/ActionScaleFrame.h"
#include "ui/layout/ActionTintFrame.h"
#include "ui/layout/GUIReader.h"
#include "ui/layout/WidgetJson.h"
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/UIWidget.h"

using namespace engine;
using namespace ui;

namespace {

int usage() {
    std::fprintf(stderr, "usage: quirel-inspect [--resources DIR] LAYOUT_FILE\n");
    return 2;
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Json::Value frameValue(ActionFrame* frame) {
    Json::Value v(Json::arrayValue);
    if (auto* move = dynamic_cast<ActionMoveFrame*>(frame)) {
        v.append(jsonNumber(move->getPosition().x));
        v.append(jsonNumber(move->getPosition().y));
    } else if (auto* scale = dynamic_cast<ActionScaleFrame*>(frame)) {
        v.append(jsonNumber(scale->getScaleX()));
        v.append(jsonNumber(scale->getScaleY()));
    } else if (auto* rotation = dynamic_cast<ActionRotationFrame*>(frame)) {
        v.append(jsonNumber(rotation->getRotation()));
    } else if (auto* tint = dynamic_cast<ActionTintFrame*>(frame)) {
        v.append(tint->getColor().r);
        v.append(tint->getColor().g);
        v.append(tint->getColor().b);
    } else if (auto* fade = dynamic_cast<ActionFadeFrame*>(frame)) {
        v.append(jsonNumber(fade->getOpacity()));
    }
    return v;
}

Json::Value trackJson(ActionNode* node) {
    Json::Value track(Json::objectValue);
    track["actionTag"] = node->getActionTag();
    UIWidget* target = node->getTargetWidget();
    track["target"] = target ? Json::Value(target->getName()) : Json::Value();
    Json::Value frames(Json::arrayValue);
    for (int kind = 0; kind < kActionFrameKindCount; ++kind) {
        for (CCObject* o : *node->getFrameList(kind)) {
            ActionFrame* frame = static_cast<ActionFrame*>(o);
            Json::Value f(Json::objectValue);
            f["kind"] = frame->getFrameKind();
            f["frame"] = frame->getFrameIndex();
            f["value"] = frameValue(frame);
            frames.append(f);
        }
    }
    track["frames"] = frames;
    return track;
}

Json::Value animationsJson(const char* fileName) {
    Json::Value list(Json::arrayValue);
    CCArray* animations = ActionManager::sharedManager()->getAnimations(fileName);
    if (!animations) return list;
    for (CCObject* o : *animations) {
        ActionObject* object = static_cast<ActionObject*>(o);
        Json::Value a(Json::objectValue);
        a["name"] = object->getName();
        a["loop"] = object->getLoop();
        a["unitTime"] = jsonNumber(object->getUnitTime());
        Json::Value tracks(Json::arrayValue);
        for (CCObject* n : *object->getActionNodeList()) tracks.append(trackJson(static_cast<ActionNode*>(n)));
        a["tracks"] = tracks;
        list.append(a);
    }
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    std::string resources;
    const char* layoutFile = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: quirel-inspect [--resources DIR] LAYOUT_FILE\n"
                        "Reads LAYOUT_FILE (relative to DIR, or to the working directory) and prints it as JSON.\n");
            return 0;
        }
        if (std::strcmp(argv[i], "--resources") == 0) {
            if (i + 1 >= argc) return usage();
            resources = argv[++i];
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::fprintf(stderr, "quirel-inspect: unknown option %s\n", argv[i]);
            return usage();
        } else if (!layoutFile) {
            layoutFile = argv[i];
        } else {
            std::fprintf(stderr, "quirel-inspect: more than one layout file given\n");
            return usage();
        }
    }
    if (!layoutFile) return usage();
    if (!resources.empty() && !isDirectory(resources)) {
        std::fprintf(stderr, "quirel-inspect: cannot open resources %s\n", resources.c_str());
        return 2;
    }

    CCFileUtils::sharedFileUtils()->setResourceRoot(resources);
    int status = 0;
    {
        CCHeadlessHost host(640, 960, false);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);

        UIWidget* root = GUIReader::sharedReader()->widgetFromLayoutFile(layoutFile);
        if (root) root->retain();

        Json::Value report(Json::objectValue);
        report["root"] = widgetToJson(root);
        GUIHelper* helper = GUIHelper::sharedHelper();
        Json::Value design(Json::arrayValue);
        design.append(jsonNumber(helper->getFileDesignWidth()));
        design.append(jsonNumber(helper->getFileDesignHeight()));
        report["designSize"] = design;
        report["legacy"] = GUIReader::sharedReader()->isLegacy();
        Json::Value sheets(Json::arrayValue);
        for (CCObject* o : *helper->getLoadedSpriteFrameFiles())
            sheets.append(jsonFileName(static_cast<CCString*>(o)->getCString()));
        report["spriteSheets"] = sheets;
        report["animations"] = animationsJson(layoutFile);

        std::string line = jsonLine(report) + "\n";
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) status = 1;
        std::fflush(stdout);

        ActionManager::purgeManager();
        if (root) root->release();
        GUIHelper::purgeHelper();
    }
    CCPoolManager::sharedPoolManager()->pop();
    return status;
}
