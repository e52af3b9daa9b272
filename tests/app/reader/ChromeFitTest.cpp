// The sample book's chrome where the reader puts it: the page bar's captions inside the screen,
// the hint between the page-turn arrows rather than over them, and a unit menu's rows clear of
// its back item. The places are the reader's; the captions and image sizes are the book's.
#include "ReaderTestKit.h"
#include "app/book/BookFiles.h"
#include "app/book/StringTables.h"

using namespace engine;
using readertest::ReaderTest;

namespace {

// A node's box in design points on the screen.
CCRect screenBox(CCNode* n) {
    const CCRect b = n->boundingBox();
    const CCPoint lo = n->getParent()->convertToWorldSpace(b.origin);
    const CCPoint hi = n->getParent()->convertToWorldSpace(ccp(b.getMaxX(), b.getMaxY()));
    return CCRect(lo.x, lo.y, hi.x - lo.x, hi.y - lo.y);
}

bool inside(const CCRect& r) { return r.getMinX() >= 0 && r.getMaxX() <= app::kPageWidth && r.getMinY() >= 0; }

std::string describe(const CCRect& r) {
    std::ostringstream s;
    s << "[" << r.getMinX() << ".." << r.getMaxX() << " x " << r.getMinY() << ".." << r.getMaxY() << "]";
    return s.str();
}

template <class T>
void collect(CCNode* n, std::vector<T*>& out) {
    if (T* t = dynamic_cast<T*>(n)) out.push_back(t);
    if (n->getChildren())
        for (CCObject* o : *n->getChildren()) collect(static_cast<CCNode*>(o), out);
}

// The menu item showing the image file, on the running screen.
CCNode* itemShowing(CCNode* root, const std::string& file) {
    std::vector<CCMenuItemImage*> items;
    collect(root, items);
    for (CCMenuItemImage* item : items) {
        CCSprite* s = dynamic_cast<CCSprite*>(item->getNormalImage());
        if (s && s->getTexture() && s->getTexture()->getPath().size() >= file.size() &&
            s->getTexture()->getPath().compare(s->getTexture()->getPath().size() - file.size(), file.size(), file) == 0)
            return item;
    }
    return nullptr;
}

CCNode* labelSaying(CCNode* root, const std::string& text) {
    std::vector<CCMenuItem*> items;
    collect(root, items);
    for (CCMenuItem* item : items) {
        std::vector<CCLabelProtocol*> labels;
        collect(static_cast<CCNode*>(item), labels);
        for (CCLabelProtocol* l : labels)
            if (l->getString() == text) return item;
    }
    return nullptr;
}

class ChromeFit : public ReaderTest {};

}  // namespace

TEST_F(ChromeFit, ThePageBarFitsOnTheCoverAnOrdinaryPageAndAWordPage) {
    const std::string contents = app::caption("main_page");
    for (int p : {1, 26, 74}) {
        openPage(p);
        app::PageLayer* layer = page();
        ASSERT_NE(layer, nullptr) << "page " << p;
        CCNode* item = labelSaying(layer, contents);
        ASSERT_NE(item, nullptr) << "page " << p << " has no item '" << contents << "'";
        EXPECT_TRUE(inside(screenBox(item))) << "page " << p << ": '" << contents << "' at " << describe(screenBox(item));
        CCNode* previous = itemShowing(layer, "Images/up1.png");
        CCNode* next = itemShowing(layer, "Images/next1.png");
        ASSERT_NE(previous, nullptr);
        ASSERT_NE(next, nullptr);
        ASSERT_NE(app::subtitleLabel, nullptr);
        // Before any sentence is touched the subtitle label shows the hint.
        EXPECT_EQ(app::subtitleLabel->getString(), app::caption("bntext"));
        const CCRect hint = screenBox(app::subtitleLabel);
        for (CCNode* arrow : {previous, next})
            EXPECT_FALSE(hint.intersectsRect(screenBox(arrow)))
                << "page " << p << ": the hint " << describe(hint) << " lies over an arrow " << describe(screenBox(arrow));
        EXPECT_FALSE(screenBox(item).intersectsRect(screenBox(previous)));
    }
}

TEST_F(ChromeFit, AUnitMenusRowsStayClearOfItsBackItem) {
    // Unit 3's list: nine rows on the first screen, the lowest just above the back item's line.
    app::selectedUnit = 2;
    app::MenuTestScene* scene = app::createUnitMenuScene();
    scene->runScene();
    scene->release();
    frames(2);
    seconds(2.5);  // the rows have flown in
    app::MenuLayerMainMenu* menu = dynamic_cast<app::MenuLayerMainMenu*>(driver->systemLayer());
    ASSERT_NE(menu, nullptr);
    CCNode* back = labelSaying(CCDirector::sharedDirector()->getRunningScene(), app::caption("main_page"));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(inside(screenBox(back))) << describe(screenBox(back));
    int rows = 0;
    for (CCObject* o : *menu->getPageMenu()->getChildren()) {
        CCNode* row = static_cast<CCNode*>(o);
        ++rows;
        EXPECT_GE(screenBox(row).getMinX(), 0) << describe(screenBox(row));
        EXPECT_LE(screenBox(row).getMaxX(), app::kPageWidth) << describe(screenBox(row));
        EXPECT_FALSE(screenBox(row).intersectsRect(screenBox(back)))
            << "row " << describe(screenBox(row)) << " lies under the back item " << describe(screenBox(back));
    }
    EXPECT_EQ(rows, 12);
}
