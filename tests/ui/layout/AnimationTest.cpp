// Widget timeline animations through real layout files: loading, key frames, built durations, play, stop, seek and released widgets.
#include "LayoutTestKit.h"

#include <cmath>

using namespace engine;
using namespace ui;
using namespace layouttest;

namespace {

// A panel with two buttons: "mover" (action tag 5) and "other" (action tag 6), and a nested
// button that also carries tag 5 but comes later in pre-order.
std::string tree() {
    return entry("Panel", R"({"name": "root", "width": 640, "height": 960, "actiontag": 1})",
                 "[" + entry("Button", R"({"name": "mover", "actiontag": 5})") + ", " +
                     entry("Panel", R"({"name": "box", "actiontag": 2})",
                           "[" + entry("Button", R"({"name": "late", "actiontag": 5})") + "]") +
                     ", " + entry("Button", R"({"name": "other", "actiontag": 6})") + "]");
}

std::string withAnimation(const std::string& actionlist) {
    return current(tree(), "\"animation\": {\"actionlist\": " + actionlist + "}");
}

// One animation of one track.
std::string oneTrack(int tag, const std::string& frames, const std::string& unitTime = "0.1",
                     const std::string& name = "a", bool loop = false) {
    return "[{\"name\": \"" + name + "\", \"loop\": " + (loop ? "true" : "false") + ", \"unittime\": " + unitTime +
           ", \"actionnodelist\": [{\"ActionTag\": " + std::to_string(tag) + ", \"actionframelist\": " + frames + "}]}]";
}

std::string moveFrame(int id, float x, float y = 0) {
    return "{\"frameid\": " + std::to_string(id) + ", \"positionx\": " + std::to_string(x) +
           ", \"positiony\": " + std::to_string(y) + "}";
}

class Animations : public LayoutTest {
protected:
    // Reads the document as anim/page.json and puts its tree on stage.
    UIWidget* stageFile(const std::string& text, const std::string& name = "anim/page.json") {
        UIWidget* root = load(text, name);
        EXPECT_NE(root, nullptr);
        if (!root) return nullptr;
        UILayer* layer = UILayer::create();
        layer->addWidget(root);
        CCScene* scene = CCScene::create();
        scene->addChild(layer);
        CCDirector::sharedDirector()->runWithScene(scene);
        host->step(1);
        return root;
    }

    ActionObject* animation(const char* name = "a") {
        return ActionManager::sharedManager()->getAnimation("page.json", name);
    }
    ActionNode* track(unsigned int i = 0, const char* name = "a") {
        ActionObject* a = animation(name);
        return a ? static_cast<ActionNode*>(a->getActionNodeList()->objectAtIndex(i)) : nullptr;
    }
    float x(UIWidget* root, const char* name) { return named(root, name)->getRenderer()->getPosition().x; }
};

float durationOf(CCFiniteTimeAction* a) { return a ? a->getDuration() : -1.0f; }

}  // namespace

// --- loading -----------------------------------------------------------------------------------

TEST_F(Animations, AFileWithoutAnimationsRegistersAnEmptyListUnderItsLastPathPart) {
    load(current(tree()), "anim/deep/page.json");
    CCArray* list = ActionManager::sharedManager()->getAnimations("page.json");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 0u);
    EXPECT_EQ(ActionManager::sharedManager()->getAnimations("anim/deep/page.json"), list);
    EXPECT_EQ(ActionManager::sharedManager()->getAnimations("other.json"), nullptr);

    // Another folder's file of the same name replaces the list.
    load(withAnimation(oneTrack(5, "[]")), "elsewhere/page.json");
    EXPECT_EQ(ActionManager::sharedManager()->getAnimations("page.json")->count(), 1u);
}

TEST_F(Animations, AnimationsKeepTheirOrderNamesLoopAndUnitTimeWithReadDefaults) {
    load(withAnimation(R"([{"name": "same", "loop": true, "unittime": 0.25, "actionnodelist": []},
                           {"name": "same", "loop": 1, "actionnodelist": [{"ActionTag": 5}, {"ActionTag": 6}]},
                           {}])"));
    CCArray* list = ActionManager::sharedManager()->getAnimations("page.json");
    ASSERT_EQ(list->count(), 3u);
    auto* first = static_cast<ActionObject*>(list->objectAtIndex(0));
    auto* second = static_cast<ActionObject*>(list->objectAtIndex(1));
    auto* third = static_cast<ActionObject*>(list->objectAtIndex(2));
    EXPECT_STREQ(first->getName(), "same");
    EXPECT_TRUE(first->getLoop());
    EXPECT_FLOAT_EQ(first->getUnitTime(), 0.25f);
    EXPECT_STREQ(second->getName(), "same");
    EXPECT_FALSE(second->getLoop());          // 1 is no boolean
    EXPECT_FLOAT_EQ(second->getUnitTime(), 0);  // missing: 0, not the object's own 0.1
    ASSERT_EQ(second->getActionNodeList()->count(), 2u);
    EXPECT_FLOAT_EQ(static_cast<ActionNode*>(second->getActionNodeList()->objectAtIndex(1))->getUnitTime(), 0);
    EXPECT_STREQ(third->getName(), "");
    // The lookup by name finds the first of the two.
    EXPECT_EQ(ActionManager::sharedManager()->getAnimation("page.json", "same"), first);
}

TEST_F(Animations, EachGroupOfAFrameObjectMakesOneKeyFrameOfItsKind) {
    load(withAnimation(oneTrack(5, R"([
        {"frameid": 3, "positionx": 10, "positiony": 20, "opacity": 300},
        {"frameid": 4, "positiony": 99, "scalex": 2},
        {"frameid": 5.9, "rotation": 45, "colorr": 260, "colorg": 1},
        {"frameid": true, "colorb": 7},
        {"positionx": 1}])")));
    ActionNode* node = track();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->getActionTag(), 5);
    CCArray* moves = node->getFrameList(FRAME_KIND_MOVE);
    ASSERT_EQ(moves->count(), 2u);  // "positiony" alone makes none
    auto* move = static_cast<ActionMoveFrame*>(moves->objectAtIndex(0));
    EXPECT_EQ(move->getFrameIndex(), 3);
    EXPECT_EQ(move->getPosition(), CCPoint(10, 20));
    EXPECT_EQ(static_cast<ActionFrame*>(moves->objectAtIndex(1))->getFrameIndex(), 0);  // no "frameid"

    ASSERT_EQ(node->getFrameList(FRAME_KIND_FADE)->count(), 1u);
    auto* fade = static_cast<ActionFadeFrame*>(node->getFrameList(FRAME_KIND_FADE)->objectAtIndex(0));
    EXPECT_EQ(fade->getFrameIndex(), 3);  // same index as the move of the same object
    EXPECT_FLOAT_EQ(fade->getOpacity(), 300);
    EXPECT_EQ(fade->getActionOpacity(), 44);  // 300 cut to a byte

    ASSERT_EQ(node->getFrameList(FRAME_KIND_SCALE)->count(), 1u);
    auto* scale = static_cast<ActionScaleFrame*>(node->getFrameList(FRAME_KIND_SCALE)->objectAtIndex(0));
    EXPECT_FLOAT_EQ(scale->getScaleX(), 2);
    EXPECT_FLOAT_EQ(scale->getScaleY(), 0);  // the read's default

    auto* rotation = static_cast<ActionRotationFrame*>(node->getFrameList(FRAME_KIND_ROTATE)->objectAtIndex(0));
    EXPECT_EQ(rotation->getFrameIndex(), 5);
    EXPECT_FLOAT_EQ(rotation->getRotation(), 45);
    ASSERT_EQ(node->getFrameList(FRAME_KIND_TINT)->count(), 1u);  // "colorb" alone makes none
    auto* tint = static_cast<ActionTintFrame*>(node->getFrameList(FRAME_KIND_TINT)->objectAtIndex(0));
    EXPECT_EQ(tint->getColor(), ccc3(4, 1, 0));
}

TEST_F(Animations, TracksBindByActionTagToTheFirstWidgetInPreOrder) {
    UIWidget* root = load(withAnimation(R"([{"name": "a", "unittime": 0.1, "actionnodelist": [
        {"ActionTag": 5, "actionframelist": [{"frameid": 0, "rotation": 0}, {"frameid": 10, "rotation": 90}]},
        {"ActionTag": 5, "actionframelist": [{"frameid": 0, "opacity": 0}, {"frameid": 10, "opacity": 255}]},
        {"ActionTag": 42, "actionframelist": [{"frameid": 0, "rotation": 0}, {"frameid": 10, "rotation": 90}]},
        {"actionframelist": []}]}])"));
    EXPECT_EQ(track(0)->getTargetWidget(), named(root, "mover"));
    EXPECT_EQ(track(1)->getTargetWidget(), named(root, "mover"));
    EXPECT_EQ(track(0)->targetNode(), named(root, "mover")->getRenderer());
    // No widget carries tag 42: unbound, nothing built, nothing played, nothing found.
    ActionNode* lost = track(2);
    EXPECT_EQ(lost->getTargetWidget(), nullptr);
    EXPECT_EQ(lost->getBuiltAction(), nullptr);
    lost->play(false);
    EXPECT_EQ(lost->getRunnableAction(), nullptr);
    EXPECT_FALSE(lost->seekToTime(0));
    // A track without "ActionTag" looks for tag 0, which every widget of this tree overrides.
    EXPECT_EQ(track(3)->getTargetWidget(), nullptr);
}

// --- the built action --------------------------------------------------------------------------

TEST_F(Animations, StepDurationsAreFrameDistancesTimesTheUnitTime) {
    UIWidget* root = stageFile(withAnimation(oneTrack(5, "[" + moveFrame(0, 0) + ", " + moveFrame(5, 100) + ", " +
                                                             moveFrame(20, 250) + "]")));
    ActionNode* node = track();
    ASSERT_NE(node->getBuiltAction(), nullptr);
    EXPECT_NEAR(durationOf(node->getBuiltAction()), 2.0f, 1e-5);

    // 0.5 s to the second key (200 points a second), then 1.5 s to the third (100 a second).
    ASSERT_TRUE(ActionManager::sharedManager()->playAnimation("page.json", "a"));
    host->step(30);
    EXPECT_NEAR(x(root, "mover"), 100, 3.5);
    host->step(45);
    EXPECT_NEAR(x(root, "mover"), 175, 2);
    host->step(60);
    EXPECT_FLOAT_EQ(x(root, "mover"), 250);
}

TEST_F(Animations, KindsRunSideBySideAndALoneKeyFrameMakesNoStep) {
    load(withAnimation(oneTrack(5, R"([{"frameid": 0, "positionx": 0, "positiony": 0, "rotation": 0, "opacity": 10},
        {"frameid": 10, "positionx": 10, "positiony": 0},
        {"frameid": 30, "rotation": 90}])")));
    ActionNode* node = track();
    // Moves last 1 s, rotations 3 s; the single fade key frame adds nothing.
    EXPECT_NEAR(durationOf(node->getBuiltAction()), 3.0f, 1e-5);

    // A unit time change rebuilds every track.
    animation()->setUnitTime(0.5f);
    EXPECT_NEAR(durationOf(node->getBuiltAction()), 15.0f, 1e-4);

    // One key frame per kind, or none: no action at all.
    load(withAnimation(oneTrack(5, R"([{"frameid": 0, "positionx": 0, "positiony": 0, "rotation": 5}])")));
    EXPECT_EQ(track()->getBuiltAction(), nullptr);
}

TEST_F(Animations, OutOfOrderKeyFramesAreUsedAsWrittenWithTheBackwardStepTakingNoTime) {
    UIWidget* root = stageFile(withAnimation(oneTrack(5, "[" + moveFrame(0, 0) + ", " + moveFrame(20, 200) + ", " +
                                                             moveFrame(10, 50) + "]")));
    EXPECT_NEAR(durationOf(track()->getBuiltAction()), 2.0f, 1e-5);
    ActionManager::sharedManager()->playAnimation("page.json", "a");
    host->step(60);
    EXPECT_NEAR(x(root, "mover"), 100, 4);
    host->step(61);
    EXPECT_FLOAT_EQ(x(root, "mover"), 50);
}

TEST_F(Animations, AMissingUnitTimeMakesEveryStepInstant) {
    UIWidget* root = stageFile(withAnimation("[{\"name\": \"a\", \"actionnodelist\": [{\"ActionTag\": 5, "
                                             "\"actionframelist\": [" + moveFrame(0, 0) + ", " + moveFrame(10, 80) +
                                             "]}]}]"));
    EXPECT_FLOAT_EQ(durationOf(track()->getBuiltAction()), 0);
    ActionManager::sharedManager()->playAnimation("page.json", "a");
    host->step(2);
    EXPECT_FLOAT_EQ(x(root, "mover"), 80);
}

TEST_F(Animations, ThousandsOfKeyFramesBuildRunAndFreeWithoutDeepRecursion) {
    std::string frames = "[";
    const int n = 20000;
    for (int i = 0; i < n; ++i) frames += (i ? ", " : "") + moveFrame(i, float(i % 2 ? 10 : 0));
    frames += "]";
    UIWidget* root = stageFile(withAnimation(oneTrack(5, frames, "0.001")));
    EXPECT_NEAR(durationOf(track()->getBuiltAction()), (n - 1) * 0.001f, 1e-2);
    ActionManager::sharedManager()->playAnimation("page.json", "a");
    host->step(1300);  // past the 20 s end
    EXPECT_FLOAT_EQ(x(root, "mover"), 10);  // the last key frame (odd index)
    ActionManager::purgeManager();
}

// --- play, stop, seek --------------------------------------------------------------------------

TEST_F(Animations, PlayStopAndLoopByFileAndAnimationName) {
    // Out to 60 and back in 2 s. Moves go from wherever the widget is, so a loop that ends
    // where it began repeats itself.
    UIWidget* root = stageFile(withAnimation(
        oneTrack(5, "[" + moveFrame(0, 0) + ", " + moveFrame(10, 60) + ", " + moveFrame(20, 0) + "]", "0.1", "walk", true)));
    ActionManager* manager = ActionManager::sharedManager();
    EXPECT_FALSE(manager->playAnimation("page.json", "run"));
    EXPECT_FALSE(manager->playAnimation("missing.json", "walk"));
    ASSERT_TRUE(manager->playAnimation("anim/page.json", "walk"));
    host->step(150);  // half a second into the second loop
    EXPECT_NEAR(x(root, "mover"), 30, 2);
    EXPECT_TRUE(manager->stopAnimation("page.json", "walk"));
    const float stopped = x(root, "mover");
    host->step(20);
    EXPECT_FLOAT_EQ(x(root, "mover"), stopped);

    // Playing again starts the first step again; an earlier run does not run alongside.
    manager->playAnimation("page.json", "walk");
    manager->playAnimation("page.json", "walk");
    host->step(30);
    EXPECT_NEAR(x(root, "mover"), stopped + (60 - stopped) / 2, 2);
    EXPECT_EQ(named(root, "mover")->getRenderer()->numberOfRunningActions(), 1u);
}

TEST_F(Animations, SeekingShowsTheStateAtATimeAndReportsWhetherTheLastListFoundIt) {
    UIWidget* root = stageFile(withAnimation(R"([{"name": "a", "unittime": 0.1, "actionnodelist": [{"ActionTag": 5,
        "actionframelist": [{"frameid": 0, "positionx": 0, "positiony": 0}, {"frameid": 10, "positionx": 100, "positiony": 0},
                            {"frameid": 5, "rotation": 10}, {"frameid": 15, "rotation": 30}]}]}])"));
    ActionNode* node = track();
    CCNode* r = named(root, "mover")->getRenderer();
    // Between two moves, and before the first rotation: the move is found, the rotation (the
    // last list with a key frame at or after the time) is not.
    EXPECT_FALSE(node->seekToTime(0.5f - 0.3f));
    EXPECT_NEAR(r->getPosition().x, 20, 1e-3);
    EXPECT_FLOAT_EQ(r->getRotation(), 10);  // the first rotation key frame, shown whole
    // Between two key frames of both kinds.
    EXPECT_TRUE(node->seekToTime(1.0f));
    EXPECT_NEAR(r->getPosition().x, 100, 1e-3);
    EXPECT_NEAR(r->getRotation(), 20, 1e-3);
    // Exactly on the last rotation; the moves are all earlier and stay as they were.
    r->setPosition(CCPoint(-5, 0));
    EXPECT_TRUE(node->seekToTime(1.5f));
    EXPECT_FLOAT_EQ(r->getPosition().x, -5);
    EXPECT_NEAR(r->getRotation(), 30, 1e-3);
    // After everything: nothing changes and nothing is found.
    EXPECT_FALSE(node->seekToTime(5.0f));
    // Seeking leaves no running action behind.
    EXPECT_EQ(r->numberOfRunningActions(), 0u);
    EXPECT_TRUE(ActionManager::sharedManager()->seekAnimation("page.json", "a", 0.5f));
    EXPECT_NEAR(r->getPosition().x, 50, 1e-3);
    EXPECT_FALSE(ActionManager::sharedManager()->seekAnimation("page.json", "zzz", 0.5f));
}

TEST_F(Animations, AFadeToOpacity300EndsAtTheByte44) {
    UIWidget* root = stageFile(withAnimation(oneTrack(5, R"([{"frameid": 0, "opacity": 255}, {"frameid": 6, "opacity": 300}])")));
    ActionManager::sharedManager()->playAnimation("page.json", "a");
    host->step(40);
    EXPECT_EQ(named(root, "mover")->getOpacity(), 44);
}

TEST_F(Animations, TracksOfAReleasedTreeAreNeitherPlayedNorSeeked) {
    UIWidget* root = load(withAnimation(oneTrack(5, "[" + moveFrame(0, 0) + ", " + moveFrame(10, 60) + "]")));
    ActionNode* node = track();
    ASSERT_NE(node->getTargetWidget(), nullptr);
    // The test's own reference and the pool's go; only the track still holds the button.
    kept.clear();
    root->release();
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(node->getTargetWidget(), nullptr);
    EXPECT_EQ(node->targetNode(), nullptr);
    EXPECT_FALSE(node->seekToTime(0.5f));
    EXPECT_TRUE(ActionManager::sharedManager()->playAnimation("page.json", "a"));
    EXPECT_EQ(node->getRunnableAction(), nullptr);
    host->step(5);
    ActionManager::purgeManager();
}

TEST_F(Animations, TheLoaderLogsWhatItCannotDo) {
    std::vector<std::string> lines;
    setLogObserver([&](const std::string& line) { lines.push_back(line); });
    ActionNode* node = ActionNode::create();
    node->initActionNodeFromRoot(CCNode::create());
    EXPECT_EQ(node->getTargetWidget(), nullptr);
    EXPECT_EQ(ActionFrame::create()->getAction(1.0f), nullptr);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("Need a definition of <initActionNodeFromRoot> for gameObject"), std::string::npos);
    EXPECT_NE(lines[1].find("Need a definition of <getAction> for ActionFrame"), std::string::npos);
}

TEST_F(Animations, APurgeDropsEveryFileAndANewManagerStartsEmpty) {
    load(withAnimation(oneTrack(5, "[]")));
    ASSERT_NE(ActionManager::sharedManager()->getAnimations("page.json"), nullptr);
    ActionManager::purgeManager();
    EXPECT_EQ(ActionManager::sharedManager()->getAnimations("page.json"), nullptr);
    EXPECT_EQ(ActionManager::shareManager(), ActionManager::sharedManager());
    ActionManager::purgeManager();
    ActionManager::purgeManager();  // with no manager: harmless
}
