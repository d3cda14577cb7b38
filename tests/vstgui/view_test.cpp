// The view tree under a frame without a window: attaching, ownership,
// invalidation, painting (buffered or not), resizing, coordinates and the
// containers' input dispatch, lookup and focus traversal.
#include <string>
#include <vector>

#include "fixtures.h"
#include "shell/platform/module.h"
#include "vstgui/cframe.h"

namespace toolkit_test {
namespace {

// A frame without a window that records what it would invalidate and
// answers a mouse location set by the test.
class RecordingFrame : public CFrame {
public:
    explicit RecordingFrame(const CRectangle& size) : CFrame(size, nullptr, nullptr) {}
    void invalidateArea(const CRectangle& rect) override { invalidated.push_back(rect); }
    bool currentMouseLocation(CPosition& where) const override {
        where = mouse;
        return true;
    }
    std::vector<CRectangle> invalidated;
    CPosition mouse;
};

// A view that fills its bounds with one colour and records the input it gets.
class ProbeView : public CView {
public:
    ProbeView(const CRectangle& size, const char* name, std::string* log = nullptr)
        : CView(size), name(name), log(log) {}
    ~ProbeView() override {
        if (destroyed) *destroyed = true;
    }
    void paint(CDrawContext* context) override {
        context->setFillColour(colour);
        context->fillRectangle(boundsRect);
        ++paints;
        CView::paint(context);
    }
    CMouseResult handleMouseDown(const CPosition& where, const CInputState& state) override {
        note("down");
        last = where;
        lastState = state;
        return downResult;
    }
    CMouseResult handleMouseUp(const CPosition& where, const CInputState& state) override {
        note("up");
        last = where;
        lastState = state;
        return upResult;
    }
    CMouseResult handleMouseMove(const CPosition& where, const CInputState&) override {
        note("move");
        last = where;
        return moveResult;
    }
    CMouseResult handleMouseEnter(const CPosition& where, const CInputState&) override {
        note("hover");
        last = where;
        return kMouseHandled;
    }
    CMouseResult handleMouseLeave(const CPosition& where, const CInputState&) override {
        note("unhover");
        last = where;
        return kMouseHandled;
    }
    void trackMouse(CDrawContext* context, const CPosition& where, CInputState) override {
        note(context ? "track(context)" : "track");
        last = where;
    }
    bool handleWheel(const CPosition& where, float distance, const CInputState&) override {
        note("wheel");
        last = where;
        wheel = distance;
        return true;
    }
    int32_t handleKeyDown(const CKeyCode& key) override {
        note("key");
        return key.character == keyTaken ? 1 : -1;
    }
    void handleDragEnter(CDragContainer*, const CPosition&) override { note("enter"); }
    void handleDragLeave(CDragContainer*, const CPosition&) override { note("leave"); }
    void handleDragMove(CDragContainer*, const CPosition&) override { note("dragmove"); }
    bool handleDrop(CDragContainer*, const CPosition&) override {
        note("drop");
        return true;
    }
    void focusGained() override { note("focus"); }
    void focusLost() override { note("unfocus"); }

    void note(const char* what) {
        if (log) *log += std::string(name) + "." + what + " ";
    }

    const char* name;
    std::string* log;
    bool* destroyed = nullptr;
    CRgbaColour colour{0, 0, 255, 255};
    CMouseResult downResult = kMouseHandled;
    CMouseResult upResult = kMouseNotHandled;
    CMouseResult moveResult = kMouseHandled;
    int32_t keyTaken = -100;
    CPosition last{-1, -1};
    CInputState lastState = -1;
    float wheel = 0;
    int paints = 0;
};

using ViewTest = GdiplusSession;

TEST_F(ViewTest, AttachingFollowsTheTreeAndRefusesAttachedOrNullViews) {
    RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 100, 100));
    CViewContainer* loose = new CViewContainer(CRectangle(10, 10, 60, 60), nullptr);
    ProbeView* inner = new ProbeView(CRectangle(0, 0, 10, 10), "inner");
    EXPECT_TRUE(loose->appendChild(inner));
    EXPECT_FALSE(inner->isAttached());  // its container is not attached yet
    EXPECT_TRUE(frame->appendChild(loose));
    EXPECT_TRUE(loose->isAttached());
    EXPECT_TRUE(inner->isAttached());
    EXPECT_EQ(inner->getFrame(), frame);
    EXPECT_EQ(inner->getParentView(), loose);

    CViewContainer* other = new CViewContainer(CRectangle(0, 0, 10, 10), nullptr);
    frame->appendChild(other);
    EXPECT_FALSE(other->appendChild(inner));  // already attached elsewhere
    EXPECT_FALSE(other->appendChild(nullptr));
    EXPECT_FALSE(other->insertChildBefore(inner, nullptr));
    EXPECT_FALSE(other->appendChildWithHitArea(inner, CRectangle(), false));
    EXPECT_EQ(other->childCount(), 0);
    EXPECT_TRUE(inner->isMouseActive());

    EXPECT_TRUE(frame->removeChild(loose, false));  // the test still holds it
    EXPECT_FALSE(loose->isAttached());
    EXPECT_FALSE(inner->isAttached());
    EXPECT_EQ(inner->getFrame(), nullptr);
    EXPECT_FALSE(frame->removeChild(loose, false));  // no longer a child
    loose->release();  // takes inner with it
    frame->release();
}

TEST_F(ViewTest, ReleasingRemovalDestroysAViewHeldByCreatorAndContainer) {
    RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 100, 100));
    bool goneA = false, goneB = false, goneC = false;
    ProbeView* a = new ProbeView(CRectangle(0, 0, 10, 10), "a");
    ProbeView* b = new ProbeView(CRectangle(0, 0, 10, 10), "b");
    ProbeView* c = new ProbeView(CRectangle(0, 0, 10, 10), "c");
    a->destroyed = &goneA;
    b->destroyed = &goneB;
    c->destroyed = &goneC;
    frame->appendChild(a);
    frame->appendChild(b);
    frame->appendChild(c);
    EXPECT_EQ(a->getNbReference(), 2);

    EXPECT_TRUE(frame->removeChild(a, true));
    EXPECT_TRUE(goneA);
    b->retain();  // someone else holds b as well
    EXPECT_TRUE(frame->removeChild(b, true));
    EXPECT_FALSE(goneB);
    EXPECT_EQ(b->getNbReference(), 1);
    b->release();
    EXPECT_TRUE(goneB);

    frame->release();  // the frame's children go with it
    EXPECT_TRUE(goneC);
}

TEST_F(ViewTest, ChildOrderInsertionAndIndexing) {
    CViewContainer* box = new CViewContainer(CRectangle(0, 0, 50, 50), nullptr);
    CView* first = new CView(CRectangle());
    CView* second = new CView(CRectangle());
    CView* third = new CView(CRectangle());
    CView* fourth = new CView(CRectangle());
    box->appendChild(second);
    box->insertChildBefore(first, second);
    box->insertChildBefore(third, nullptr);  // no such child: before the last
    box->appendChild(fourth);
    EXPECT_EQ(box->childAt(0), first);
    EXPECT_EQ(box->childAt(1), third);
    EXPECT_EQ(box->childAt(2), second);
    EXPECT_EQ(box->childAt(3), fourth);
    EXPECT_EQ(box->childAt(4), nullptr);
    EXPECT_EQ(box->childAt(-1), nullptr);
    EXPECT_EQ(box->childCount(), 4);
    EXPECT_TRUE(box->hasChild(third));
    EXPECT_FALSE(box->hasChild(nullptr));
    box->removeChild(third, true);
    EXPECT_EQ(box->childAt(1), second);
    EXPECT_TRUE(box->removeAllChildren(true));
    EXPECT_EQ(box->childCount(), 0);
    EXPECT_EQ(box->childAt(0), nullptr);
    box->release();
}

TEST_F(ViewTest, ContainerAnswersTheContainerMessageByIdentityOnly) {
    CViewContainer* box = new CViewContainer(CRectangle(0, 0, 5, 5), nullptr);
    CView* plain = new CView(CRectangle());
    const std::string sameText = "kMsgCheckIfViewContainer";
    EXPECT_EQ(box->handleMessage(nullptr, kMsgCheckIfViewContainer), 1);
    EXPECT_EQ(box->handleMessage(nullptr, sameText.c_str()), 0);
    EXPECT_EQ(plain->handleMessage(nullptr, kMsgCheckIfViewContainer), 0);
    EXPECT_TRUE(box->isKindOf("CView"));
    EXPECT_TRUE(box->isKindOf("CViewContainer"));
    EXPECT_FALSE(box->isKindOf("CFrame"));
    EXPECT_FALSE(plain->isKindOf("CViewContainer"));
    plain->release();
    box->release();
}

TEST_F(ViewTest, DirtyViewsTurnIntoExactlyTheInvalidatedRectangles) {
    RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 200, 200));
    CViewContainer* panel = new CViewContainer(CRectangle(50, 40, 150, 140), nullptr);
    ProbeView* a = new ProbeView(CRectangle(10, 10, 30, 30), "a");
    ProbeView* b = new ProbeView(CRectangle(60, 60, 90, 80), "b");
    ProbeView* c = new ProbeView(CRectangle(5, 150, 25, 170), "c");
    panel->appendChild(a);
    panel->appendChild(b);
    frame->appendChild(panel);
    frame->appendChild(c);
    frame->setNeedsRepaint(false);  // new containers start dirty
    panel->setNeedsRepaint(false);
    frame->invalidated.clear();

    frame->idleRefresh();
    EXPECT_TRUE(frame->invalidated.empty());

    b->setNeedsRepaint(true);
    c->setNeedsRepaint(true);
    EXPECT_TRUE(panel->needsRepaint());
    frame->idleRefresh();
    // b in frame coordinates, then c; a stayed clean.
    std::vector<CRectangle> expected = {CRectangle(110, 100, 140, 120), CRectangle(5, 150, 25, 170)};
    EXPECT_EQ(frame->invalidated, expected);
    EXPECT_FALSE(b->needsRepaint());
    EXPECT_FALSE(panel->needsRepaint());

    // A dirty container is invalidated whole instead of descending.
    frame->invalidated.clear();
    panel->setNeedsRepaint(true);
    a->setNeedsRepaint(true);
    frame->idleRefresh();
    expected = {CRectangle(50, 40, 150, 140)};
    EXPECT_EQ(frame->invalidated, expected);

    // A child wholly outside its container does not make it dirty; an
    // invalidation is cut to the container's bounds; nothing goes up from
    // an invisible container.
    frame->invalidated.clear();
    panel->setNeedsRepaint(false);
    a->setNeedsRepaint(false);
    ProbeView* outside = new ProbeView(CRectangle(120, 0, 130, 10), "outside");
    panel->appendChild(outside);
    frame->invalidated.clear();
    outside->setNeedsRepaint(true);
    EXPECT_FALSE(panel->needsRepaint());
    a->invalidateArea(CRectangle(90, 90, 120, 120));
    expected = {CRectangle(140, 130, 150, 140)};
    EXPECT_EQ(frame->invalidated, expected);
    panel->setShown(false);
    frame->invalidated.clear();
    a->invalidateAll();
    panel->invalidateAll();
    EXPECT_TRUE(frame->invalidated.empty());
    frame->release();
}

TEST_F(ViewTest, SetBoundsUnchangedNeitherMarksDirtyNorResizesChildren) {
    CViewContainer* box = new CViewContainer(CRectangle(0, 0, 100, 50), nullptr);
    CView* child = new CView(CRectangle(10, 10, 20, 20));
    child->setResizeFlags(kResizeRight | kResizeBottom);
    box->appendChild(child);
    box->setNeedsRepaint(false);
    box->setBounds(CRectangle(0, 0, 100, 50), true);
    EXPECT_FALSE(box->needsRepaint());
    EXPECT_EQ(child->bounds(), CRectangle(10, 10, 20, 20));
    box->release();
}

TEST_F(ViewTest, ResizeFlagsMoveOrStretchChildren) {
    struct Case {
        int32_t flags;
        CRectangle expected;
    } cases[] = {
        {0, CRectangle(10, 10, 20, 20)},
        {kResizeRight, CRectangle(40, 10, 50, 20)},  // follows the right edge
        {kResizeLeft | kResizeRight, CRectangle(10, 10, 50, 20)},
        {kResizeBottom, CRectangle(10, 15, 20, 25)},
        {kResizeTop | kResizeBottom, CRectangle(10, 10, 20, 25)},
        {kResizeLeft | kResizeRight | kResizeTop | kResizeBottom, CRectangle(10, 10, 50, 25)},
    };
    for (const Case& k : cases) {
        CViewContainer* box = new CViewContainer(CRectangle(0, 0, 100, 50), nullptr);
        CView* child = new CView(CRectangle(10, 10, 20, 20));
        child->setResizeFlags(k.flags);
        box->appendChild(child);
        box->setBounds(CRectangle(0, 0, 130, 55), false);
        EXPECT_EQ(child->bounds(), k.expected) << "flags " << k.flags;
        EXPECT_EQ(child->hitArea(), k.expected) << "flags " << k.flags;
        EXPECT_EQ(child->needsRepaint(), k.flags != 0) << "flags " << k.flags;
        box->release();
    }
}

TEST_F(ViewTest, ColumnAndRowContainersShareTheChangeAmongChildren) {
    CViewContainer* column = new CViewContainer(CRectangle(0, 0, 90, 30), nullptr);
    column->setResizeFlags(kResizeColumn | kResizeRow);
    for (int i = 0; i < 3; ++i) column->appendChild(new CView(CRectangle(i * 30, 0, i * 30 + 30, 30)));
    column->setBounds(CRectangle(0, 0, 120, 60), true);
    EXPECT_EQ(column->childAt(0)->bounds(), CRectangle(0, 0, 40, 40));
    EXPECT_EQ(column->childAt(1)->bounds(), CRectangle(40, 10, 80, 50));
    EXPECT_EQ(column->childAt(2)->bounds(), CRectangle(80, 20, 120, 60));
    EXPECT_EQ(column->childAt(2)->hitArea(), CRectangle(80, 20, 120, 60));
    column->release();
}

TEST_F(ViewTest, BufferedContainersReplaceTheirOffscreenOnResizeAndDropItWhenTurnedOff) {
    RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 100, 100));
    CViewContainer* box = new CViewContainer(CRectangle(0, 0, 40, 30), nullptr);
    box->setBufferedDrawing(true);
    EXPECT_EQ(box->getOffscreen(), nullptr);
    frame->appendChild(box);
    ASSERT_NE(box->getOffscreen(), nullptr);
    EXPECT_EQ(box->getOffscreen()->getWidth(), 40);
    box->setBounds(CRectangle(0, 0, 60, 30), true);
    EXPECT_EQ(box->getOffscreen()->getWidth(), 60);
    box->setBufferedDrawing(false);
    EXPECT_EQ(box->getOffscreen(), nullptr);
    frame->release();
}

// Paints a tree into a fresh offscreen and returns it.
COffscreenContext* paintTree(CFrame* frame) {
    COffscreenContext* target = new COffscreenContext(frame, 100, 100);
    frame->paint(target);
    return target;
}

TEST_F(ViewTest, BufferedNestedContainerPaintsTheSamePixelsAsUnbuffered) {
    std::vector<uint32_t> pixels[2];
    for (int buffered = 0; buffered < 2; ++buffered) {
        RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 100, 100));
        frame->setBackdropColour(CRgbaColour(30, 30, 30));
        CViewContainer* outer = new CViewContainer(CRectangle(10, 10, 90, 90), nullptr);
        outer->setBackdropColour(CRgbaColour(200, 0, 0));
        CViewContainer* inner = new CViewContainer(CRectangle(15, 20, 70, 60), nullptr);
        inner->setBackdropColour(CRgbaColour(0, 200, 0));
        inner->setBufferedDrawing(buffered == 1);
        ProbeView* spot = new ProbeView(CRectangle(5, 5, 25, 15), "spot");
        ProbeView* overhang = new ProbeView(CRectangle(40, 30, 80, 50), "overhang");  // cut by inner
        overhang->colour = CRgbaColour(250, 250, 0);
        inner->appendChild(spot);
        inner->appendChild(overhang);
        outer->appendChild(inner);
        frame->appendChild(outer);
        COffscreenContext* target = paintTree(frame);
        pixels[buffered] = allPixels(*target);
        // Where the nested view should be: frame (10+15+5, 10+20+5).
        EXPECT_EQ(colourAt(*target, 30, 35), CRgbaColour(0, 0, 255)) << buffered;
        EXPECT_EQ(colourAt(*target, 69, 65), CRgbaColour(250, 250, 0)) << buffered;
        EXPECT_EQ(colourAt(*target, 81, 65), CRgbaColour(200, 0, 0)) << buffered;  // past inner
        EXPECT_EQ(colourAt(*target, 69, 71), CRgbaColour(200, 0, 0)) << buffered;
        EXPECT_EQ(colourAt(*target, 5, 5), CRgbaColour(30, 30, 30)) << buffered;
        // The context is back as it was given.
        EXPECT_EQ(target->drawingOffset, CPosition()) << buffered;
        EXPECT_FALSE(inner->needsRepaint());
        EXPECT_EQ(spot->paints, 1);
        target->release();
        frame->release();
    }
    EXPECT_EQ(pixels[0], pixels[1]);
}

TEST_F(ViewTest, OpaqueBackgroundIsSkippedOnlyWhenFlaggedTransparent) {
    struct Case {
        uint8_t alpha;
        bool transparent;
        bool drawn;
    } cases[] = {{255, true, false}, {254, true, true}, {255, false, true}};
    for (const Case& k : cases) {
        RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 100, 100));
        frame->setBackdropColour(CRgbaColour(0, 0, 0, 0));
        CViewContainer* box = new CViewContainer(CRectangle(10, 10, 50, 50), nullptr);
        box->setBackdropColour(CRgbaColour(0, 0, 255, k.alpha));
        box->setTransparent(k.transparent);
        frame->appendChild(box);
        COffscreenContext* target = paintTree(frame);
        EXPECT_EQ(colourAt(*target, 30, 30).alpha != 0, k.drawn)
            << int(k.alpha) << " " << k.transparent;
        EXPECT_EQ(colourAt(*target, 60, 60).alpha, 0);
        target->release();
        frame->release();
    }
}

TEST_F(ViewTest, BackdropBitmapDrawsFromItsOffsetInsideTheClip) {
    RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 100, 100));
    COffscreenContext* picture = new COffscreenContext(nullptr, 40, 40);
    picture->setFillColour(CRgbaColour(0, 255, 0));
    picture->fillRectangle(CRectangle(0, 0, 40, 40));
    picture->setFillColour(CRgbaColour(255, 0, 0));
    picture->fillRectangle(CRectangle(0, 0, 5, 5));
    CViewContainer* box = new CViewContainer(CRectangle(10, 10, 30, 30), nullptr, picture->getBitmap());
    box->setBackdropOffset(CPosition(5, 5));
    frame->appendChild(box);
    COffscreenContext* target = paintTree(frame);
    EXPECT_EQ(colourAt(*target, 10, 10), CRgbaColour(0, 255, 0));  // the offset skips the red corner
    EXPECT_EQ(colourAt(*target, 29, 29), CRgbaColour(0, 255, 0));
    EXPECT_EQ(colourAt(*target, 31, 31), CRgbaColour(0, 0, 0));  // clipped to the container
    target->release();
    frame->release();
    picture->release();
}

TEST_F(ViewTest, ClonesCopyStateAndChildrenButStartDetached) {
    RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 100, 100));
    CBitmap* bitmap = new CBitmap(4, 4);
    CViewContainer* box = new CViewContainer(CRectangle(1, 2, 30, 40), nullptr, bitmap);
    box->setBackdropColour(CRgbaColour(1, 2, 3, 4));
    box->setBufferedDrawing(true);
    box->setResizeFlags(kResizeColumn);
    box->setAttribute(7, 3, "abc");
    CView* child = new CView(CRectangle(3, 3, 9, 9));
    child->setAcceptsFocus(true);
    child->setMouseActive(false);
    child->setHitArea(CRectangle(4, 4, 5, 5));
    box->appendChild(child);
    frame->appendChild(box);

    CViewContainer* copy = static_cast<CViewContainer*>(box->clone());
    EXPECT_FALSE(copy->isAttached());
    EXPECT_EQ(copy->getFrame(), nullptr);
    EXPECT_FALSE(copy->needsRepaint());
    EXPECT_EQ(copy->bounds(), box->bounds());
    EXPECT_EQ(copy->backdrop(), bitmap);
    EXPECT_EQ(bitmap->getNbReference(), 3);
    EXPECT_EQ(copy->backdropColour(), CRgbaColour(1, 2, 3, 4));
    EXPECT_TRUE(copy->isBufferedDrawing());
    EXPECT_EQ(copy->resizeFlags(), kResizeColumn);
    char bytes[3] = {};
    EXPECT_EQ(copy->attributeSize(7), 3);
    EXPECT_TRUE(copy->getAttribute(7, 3, bytes));
    EXPECT_EQ(std::string(bytes, 3), "abc");
    ASSERT_EQ(copy->childCount(), 1);
    CView* childCopy = copy->childAt(0);
    EXPECT_NE(childCopy, child);
    EXPECT_EQ(childCopy->getNbReference(), 2);  // made and appended, like any child
    EXPECT_TRUE(childCopy->acceptsFocus());
    EXPECT_FALSE(childCopy->isMouseActive());
    EXPECT_EQ(childCopy->hitArea(), CRectangle(4, 4, 5, 5));
    EXPECT_TRUE(frame->appendChild(copy));  // a copy can go where the original is
    frame->release();
    EXPECT_EQ(bitmap->getNbReference(), 1);
    bitmap->release();
}

TEST_F(ViewTest, CoordinatesConvertThroughEveryAncestor) {
    RecordingFrame* frame = new RecordingFrame(CRectangle(0, 0, 200, 200));
    CViewContainer* outer = new CViewContainer(CRectangle(10, 20, 190, 190), nullptr);
    CViewContainer* inner = new CViewContainer(CRectangle(5, 7, 100, 100), nullptr);
    CView* leaf = new CView(CRectangle(3, 4, 50, 50));
    inner->appendChild(leaf);
    outer->appendChild(inner);
    frame->appendChild(outer);

    CPosition p(100, 100);
    leaf->fromFramePoint(p);  // into the leaf's parent's coordinates
    EXPECT_EQ(p, CPosition(85, 73));
    leaf->toFramePoint(p);
    EXPECT_EQ(p, CPosition(100, 100));
    CPosition origin;
    leaf->getFrameOrigin(origin);
    EXPECT_EQ(origin, CPosition(18, 31));

    // Visible bounds are cut by every ancestor, in the parent's coordinates.
    EXPECT_EQ(leaf->getVisibleBounds(), CRectangle(3, 4, 50, 50));
    leaf->setBounds(CRectangle(60, 60, 120, 120), false);
    EXPECT_EQ(leaf->getVisibleBounds(), CRectangle(60, 60, 95, 93));
    CView* loose = new CView(CRectangle(0, 0, 5, 5));
    EXPECT_EQ(loose->getVisibleBounds(), CRectangle());
    loose->release();

    // The mouse through the context: relative to the shifted window origin.
    CDrawContext context(frame, nullptr, nullptr);
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    CPosition mouse;
    leaf->queryMousePosition(&context, mouse);
    EXPECT_EQ(mouse, CPosition(cursor.x - 15, cursor.y - 27));
    EXPECT_EQ(context.windowOrigin, CPosition());
    EXPECT_EQ(context.drawingOffset, CPosition());
    frame->release();
}

// Two overlapping children in a container inside the frame.
class DispatchTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        frame = new RecordingFrame(CRectangle(0, 0, 200, 200));
        box = new CViewContainer(CRectangle(20, 20, 180, 180), nullptr);
        below = new ProbeView(CRectangle(0, 0, 100, 100), "below", &log);
        above = new ProbeView(CRectangle(50, 50, 150, 150), "above", &log);
        box->appendChild(below);
        box->appendChild(above);
        frame->appendChild(box);
    }
    void TearDown() override {
        frame->release();
        ViewTest::TearDown();
    }
    RecordingFrame* frame = nullptr;
    CViewContainer* box = nullptr;
    ProbeView* below = nullptr;
    ProbeView* above = nullptr;
    std::string log;
};

TEST_F(DispatchTest, PressOnOverlapGoesToTheLaterChildOnly) {
    EXPECT_EQ(frame->handleMouseDown(CPosition(90, 90), kButtonLeft), kMouseHandled);
    EXPECT_EQ(log, "above.down ");
    EXPECT_EQ(above->last, CPosition(70, 70));  // in the child's parent coordinates
    EXPECT_EQ(box->getMouseDownView(), above);
    EXPECT_EQ(frame->getMouseDownView(), box);

    log.clear();
    above->downResult = kMouseNotHandled;
    EXPECT_EQ(frame->handleMouseDown(CPosition(90, 90), kButtonLeft), kMouseNotHandled);
    EXPECT_EQ(log, "above.down ");  // below is not asked
    above->downResult = 7;  // unknown results travel upward unchanged
    EXPECT_EQ(frame->handleMouseDown(CPosition(90, 90), kButtonLeft), 7);

    log.clear();
    EXPECT_EQ(frame->handleMouseDown(CPosition(30, 30), kButtonLeft), kMouseHandled);
    EXPECT_EQ(log, "below.down ");
    log.clear();
    EXPECT_EQ(frame->handleMouseDown(CPosition(5, 5), kButtonLeft), kMouseNotHandled);
    EXPECT_EQ(log, "");

    // Invisible and mouse-disabled children are passed over.
    above->setMouseActive(false);
    below->setShown(false);
    EXPECT_EQ(frame->handleMouseDown(CPosition(90, 90), kButtonLeft), kMouseNotHandled);
    EXPECT_EQ(log, "");
}

TEST_F(DispatchTest, UnimplementedPressRunsTrackMouseAndYieldsZero) {
    above->downResult = kMouseNotImplemented;
    EXPECT_EQ(frame->handleMouseDown(CPosition(100, 110), kButtonLeft), kMouseNotImplemented);
    EXPECT_EQ(log, "above.down above.track(context) ");
    EXPECT_EQ(above->last, CPosition(80, 90));
    EXPECT_EQ(box->getMouseDownView(), nullptr);
    EXPECT_EQ(frame->getMouseDownView(), nullptr);
}

// The container on its own (its parent coordinates are the frame's); the
// frame adds hover tracking to moves that no pressed view takes.
TEST_F(DispatchTest, MovesAndReleaseFollowThePressEvenOutsideTheHitArea) {
    EXPECT_EQ(box->handleMouseDown(CPosition(90, 90), kButtonLeft), kMouseHandled);
    log.clear();
    EXPECT_EQ(box->handleMouseMove(CPosition(5, 5), kButtonLeft), kMouseHandled);
    EXPECT_EQ(above->last, CPosition(-15, -15));
    EXPECT_EQ(box->handleMouseUp(CPosition(2, 3), 0), kMouseHandled);  // above answers 2
    EXPECT_EQ(above->last, CPosition(-18, -17));
    EXPECT_EQ(log, "above.move above.up ");
    EXPECT_EQ(box->getMouseDownView(), nullptr);
    log.clear();
    EXPECT_EQ(box->handleMouseUp(CPosition(90, 90), 0), kMouseNotHandled);
    EXPECT_EQ(box->handleMouseMove(CPosition(90, 90), 0), kMouseNotHandled);
    EXPECT_EQ(log, "");

    // A move the view does not handle ends its hold.
    box->handleMouseDown(CPosition(90, 90), kButtonLeft);
    above->moveResult = kMouseNotHandled;
    EXPECT_EQ(box->handleMouseMove(CPosition(95, 95), kButtonLeft), kMouseNotHandled);
    EXPECT_EQ(box->getMouseDownView(), nullptr);

    // Removing the held view forgets it.
    above->moveResult = kMouseHandled;
    box->handleMouseDown(CPosition(90, 90), kButtonLeft);
    box->removeChild(above, true);
    above = nullptr;
    EXPECT_EQ(box->getMouseDownView(), nullptr);
    EXPECT_EQ(box->handleMouseMove(CPosition(95, 95), kButtonLeft), kMouseNotHandled);
    EXPECT_EQ(box->handleMouseUp(CPosition(95, 95), 0), kMouseNotHandled);
}

TEST_F(DispatchTest, FindViewAtDeepOrShallowAndContainerLookup) {
    EXPECT_EQ(frame->findViewAt(CPosition(90, 90), false), box);
    EXPECT_EQ(frame->findViewAt(CPosition(90, 90), true), above);
    EXPECT_EQ(frame->findViewAt(CPosition(30, 30), true), below);
    EXPECT_EQ(frame->findViewAt(CPosition(190, 190), true), nullptr);
    EXPECT_EQ(frame->findViewAt(CPosition(20, 20), true), below);  // edges count
    EXPECT_EQ(frame->findContainerAt(CPosition(90, 90), true), box);
    EXPECT_EQ(frame->findContainerAt(CPosition(90, 90), false), frame);
    EXPECT_EQ(box->findContainerAt(CPosition(90, 90), true), box);

    CViewContainer* loose = new CViewContainer(CRectangle(0, 0, 50, 50), nullptr);
    loose->appendChild(new CView(CRectangle(0, 0, 50, 50)));
    EXPECT_EQ(loose->findViewAt(CPosition(10, 10), false), nullptr);  // no frame
    EXPECT_EQ(loose->findContainerAt(CPosition(10, 10), false), nullptr);
    EXPECT_EQ(loose->viewUnderMouse(), nullptr);
    loose->release();

    frame->mouse = CPosition(30, 30);
    EXPECT_EQ(box->viewUnderMouse(), below);
    EXPECT_EQ(frame->viewUnderMouse(), box);
    frame->mouse = CPosition(90, 90);
    EXPECT_EQ(box->viewUnderMouse(), above);
    above->setShown(false);  // visibility is not asked here
    EXPECT_EQ(box->viewUnderMouse(), above);
    EXPECT_EQ(frame->findViewAt(CPosition(90, 90), true), below);
}

TEST_F(DispatchTest, HorizontalWheelReachesAPlainViewWithTheSignReversed) {
    EXPECT_TRUE(frame->handleWheelOnAxis(CPosition(30, 40), kWheelHorizontal, 2.0f, 0));
    EXPECT_EQ(below->wheel, -2.0f);
    EXPECT_EQ(below->last, CPosition(10, 20));
    EXPECT_TRUE(frame->handleWheel(CPosition(30, 40), 1.0f, 0));
    EXPECT_EQ(below->wheel, 1.0f);
    EXPECT_FALSE(frame->handleWheel(CPosition(5, 5), 1.0f, 0));
}

TEST_F(DispatchTest, KeysGoFromTheLastChildUntilOneTakesThem) {
    CKeyCode key;
    key.character = 'a';
    EXPECT_EQ(box->handleKeyDown(key), -1);
    EXPECT_EQ(log, "above.key below.key ");
    log.clear();
    below->keyTaken = 'a';
    EXPECT_EQ(box->handleKeyDown(key), 1);
    above->keyTaken = 'a';
    log.clear();
    EXPECT_EQ(box->handleKeyDown(key), 1);
    EXPECT_EQ(log, "above.key ");
    EXPECT_EQ(box->handleKeyUp(key), -1);
}

TEST_F(DispatchTest, DragsEnterMoveLeaveAndDrop) {
    CDragContainer* drag = nullptr;  // the views here do not look inside
    box->handleDragEnter(drag, CPosition(30, 30));  // box coordinates of its parent
    EXPECT_EQ(log, "below.enter ");
    box->handleDragMove(drag, CPosition(35, 35));
    box->handleDragMove(drag, CPosition(90, 90));
    EXPECT_EQ(log, "below.enter below.dragmove below.leave above.enter ");
    log.clear();
    EXPECT_TRUE(box->handleDrop(drag, CPosition(90, 90)));
    EXPECT_EQ(log, "above.drop above.leave ");
    EXPECT_EQ(box->getDragView(), nullptr);
    log.clear();
    box->handleDragEnter(drag, CPosition(30, 30));
    EXPECT_FALSE(box->handleDrop(drag, CPosition(175, 5)));  // over no child
    EXPECT_EQ(log, "below.enter below.leave ");
    EXPECT_EQ(box->getDragView(), nullptr);

    CViewContainer* loose = new CViewContainer(CRectangle(0, 0, 50, 50), nullptr);
    EXPECT_FALSE(loose->handleDrop(drag, CPosition(1, 1)));
    loose->release();
}

TEST_F(DispatchTest, FocusMovesToTheNextViewThatWantsIt) {
    ProbeView* third = new ProbeView(CRectangle(0, 150, 10, 160), "third", &log);
    CViewContainer* nested = new CViewContainer(CRectangle(0, 0, 10, 10), nullptr);
    ProbeView* deep = new ProbeView(CRectangle(0, 0, 5, 5), "deep", &log);
    nested->appendChild(deep);
    box->appendChild(nested);
    box->appendChild(third);
    below->setAcceptsFocus(true);
    deep->setAcceptsFocus(true);
    third->setAcceptsFocus(true);

    EXPECT_TRUE(box->focusNextView(nullptr, false));
    EXPECT_EQ(frame->focusedView(), below);
    EXPECT_TRUE(box->focusNextView(below, false));  // above does not want it
    EXPECT_EQ(frame->focusedView(), deep);
    EXPECT_TRUE(box->focusNextView(nested, false));
    EXPECT_EQ(frame->focusedView(), third);
    EXPECT_FALSE(box->focusNextView(third, false));
    EXPECT_TRUE(box->focusNextView(third, true));
    EXPECT_EQ(frame->focusedView(), deep);
    EXPECT_EQ(log, "below.focus below.unfocus deep.focus deep.unfocus third.focus third.unfocus "
                   "deep.focus ");
    // Removing a container forgets a focus view inside it.
    box->removeChild(nested, true);
    EXPECT_EQ(frame->focusedView(), nullptr);
    frame->moveFocusTo(third);
    frame->moveFocusTo(nullptr);
    EXPECT_EQ(frame->focusedView(), nullptr);
}

class LoggingListener : public CMouseListener {
public:
    explicit LoggingListener(std::string& log) : log(log) {}
    void mouseEntered(CView* view, CFrame*) override { log += name(view) + ">in "; }
    void mouseExited(CView* view, CFrame*) override { log += name(view) + ">out "; }
    void mouseDown(CFrame*, const CPosition&, const CInputState&) override { log += "press "; }
    static std::string name(CView* view) { return static_cast<ProbeView*>(view)->name; }
    std::string& log;
};

TEST_F(DispatchTest, FrameHoverEntersAndLeavesTheDeepestView) {
    LoggingListener listener(log);
    frame->attachMouseListener(&listener);
    EXPECT_EQ(frame->handleMouseMove(CPosition(30, 30), 0), kMouseHandled);
    EXPECT_EQ(below->last, CPosition(10, 10));  // in its parent's coordinates
    EXPECT_EQ(frame->handleMouseMove(CPosition(32, 30), kButtonRight), kMouseHandled);
    EXPECT_EQ(frame->handleMouseMove(CPosition(90, 90), 0), kMouseHandled);
    EXPECT_EQ(frame->mouseOverView(), above);
    EXPECT_EQ(frame->handleMouseLeave(CPosition(199, 199), 0), kMouseHandled);
    EXPECT_EQ(frame->mouseOverView(), nullptr);
    EXPECT_EQ(log,
              "below.hover below>in below.move below.unhover below>out above.hover above>in "
              "above.unhover above>out ");
    EXPECT_EQ(frame->handleMouseMove(CPosition(5, 5), 0), kMouseNotHandled);  // over nothing

    // A press ends the hover and the focus before it is dispatched.
    frame->handleMouseMove(CPosition(90, 90), 0);
    below->setAcceptsFocus(true);
    frame->moveFocusTo(below);
    log.clear();
    EXPECT_EQ(frame->handleMouseDown(CPosition(90, 90), kButtonLeft), kMouseHandled);
    EXPECT_EQ(frame->focusedView(), nullptr);
    EXPECT_EQ(log, "below.unfocus above.unhover above>out press above.down ");

    // While a view holds the mouse the wheel reaches nobody.
    EXPECT_FALSE(frame->handleWheel(CPosition(30, 30), 1.0f, 0));
    frame->handleMouseUp(CPosition(90, 90), 0);
    EXPECT_TRUE(frame->handleWheel(CPosition(30, 30), 1.0f, 0));
    frame->attachMouseListener(nullptr);
}

TEST_F(DispatchTest, ModalViewTakesMouseAndKeysAlone) {
    ProbeView* modal = new ProbeView(CRectangle(0, 0, 50, 50), "modal", &log);
    ASSERT_TRUE(frame->makeModal(modal));
    ProbeView* second = new ProbeView(CRectangle(), "second");
    EXPECT_FALSE(frame->makeModal(second));  // one at a time
    second->release();
    EXPECT_EQ(frame->handleMouseDown(CPosition(100, 100), kButtonLeft), kMouseNotHandled);
    EXPECT_EQ(frame->handleMouseDown(CPosition(10, 10), kButtonLeft), kMouseHandled);
    EXPECT_EQ(frame->getMouseDownView(), modal);
    frame->handleMouseUp(CPosition(10, 10), 0);
    modal->downResult = kMouseNotImplemented;
    EXPECT_EQ(frame->handleMouseDown(CPosition(10, 10), kButtonLeft), kMouseHandled);
    modal->downResult = kMouseNotHandled;
    EXPECT_EQ(frame->handleMouseDown(CPosition(10, 10), kButtonLeft), kMouseNotHandled);
    EXPECT_EQ(log, "modal.down modal.up modal.down modal.track(context) modal.down ");

    log.clear();
    CKeyCode key;
    key.character = 'k';
    modal->keyTaken = 'k';
    EXPECT_EQ(frame->handleKeyDown(key), 1);
    EXPECT_EQ(log, "modal.key ");  // the box's children are not asked
    EXPECT_TRUE(frame->handleWheel(CPosition(120, 120), 1.0f, 0));
    EXPECT_EQ(modal->wheel, 1.0f);
    EXPECT_EQ(frame->viewUnderMouse(), modal);

    // Tab with a plain modal view focuses it, and only once.
    key.character = 0;
    key.virt = kVirtualKeyTab;
    EXPECT_EQ(frame->handleKeyDown(key), 1);
    EXPECT_EQ(frame->focusedView(), modal);
    EXPECT_EQ(frame->handleKeyDown(key), -1);
    frame->removeChild(modal, true);  // the modal view goes with its removal
    EXPECT_EQ(frame->modalChild(), nullptr);
    EXPECT_EQ(frame->focusedView(), nullptr);
}

TEST_F(DispatchTest, TabMovesTheFocusThroughNestedContainers) {
    ProbeView* last = new ProbeView(CRectangle(0, 190, 10, 200), "last", &log);
    frame->appendChild(last);
    below->setAcceptsFocus(true);
    above->setAcceptsFocus(true);
    last->setAcceptsFocus(true);
    CKeyCode tab;
    tab.virt = kVirtualKeyTab;
    CKeyCode backTab = tab;
    backTab.modifier = kModifierShift;

    EXPECT_EQ(frame->handleKeyDown(tab), 1);
    EXPECT_EQ(frame->focusedView(), below);
    EXPECT_EQ(frame->handleKeyDown(tab), 1);
    EXPECT_EQ(frame->focusedView(), above);
    EXPECT_EQ(frame->handleKeyDown(tab), 1);  // out of the box to the frame's next child
    EXPECT_EQ(frame->focusedView(), last);
    EXPECT_EQ(frame->handleKeyDown(backTab), 1);
    EXPECT_EQ(frame->focusedView(), above);
    EXPECT_EQ(frame->handleKeyDown(tab), 1);
    EXPECT_EQ(frame->handleKeyDown(tab), -1);  // nothing after the last
    EXPECT_EQ(frame->focusedView(), nullptr);

    // The focus view is offered keys first.
    frame->moveFocusTo(below);
    below->keyTaken = 'q';
    CKeyCode q;
    q.character = 'q';
    log.clear();
    EXPECT_EQ(frame->handleKeyDown(q), 1);
    EXPECT_EQ(log, "below.key ");
    EXPECT_EQ(frame->handleKeyUp(q), -1);
}

TEST_F(DispatchTest, FrameTrackingPressesAndReleasesWhenNoButtonIsHeld) {
    CDrawContext* context = frame->newDrawContext();
    frame->trackMouse(context, CPosition(90, 90), -1);  // no button is down under test
    EXPECT_EQ(log, "above.down above.up ");
    EXPECT_EQ(frame->getMouseDownView(), nullptr);
    log.clear();
    frame->trackMouse(context, CPosition(5, 5), 0);  // a press on nothing ends it
    EXPECT_EQ(log, "");
    context->release();
}

class CountingEditor : public VSTGUIEditorInterface {
public:
    void doIdleStuff() override { ++idles; }
    int32_t getKnobMode() const override { return 2; }
    void beginEdit(int32_t index) override { edits += "+" + std::to_string(index); }
    void endEdit(int32_t index) override { edits += "-" + std::to_string(index); }
    int idles = 0;
    std::string edits;
};

TEST_F(ViewTest, FrameServesItsViewsAndContexts) {
    CountingEditor editor;
    CFrame* frame = new CFrame(CRectangle(0, 0, 340, 300), nullptr, &editor);
    EXPECT_TRUE(frame->isAttached());
    EXPECT_EQ(frame->getFrame(), frame);
    EXPECT_TRUE(frame->isKindOf("CFrame"));
    EXPECT_TRUE(frame->isKindOf("CViewContainer"));
    CView* view = new CView(CRectangle(10, 10, 20, 20));
    frame->appendChild(view);
    EXPECT_EQ(view->getEditorInterface(), &editor);
    frame->forwardIdle();
    frame->startParameterEdit(3);
    frame->finishParameterEdit(3);
    EXPECT_EQ(editor.idles, 1);
    EXPECT_EQ(editor.edits, "+3-3");
    EXPECT_EQ(frame->knobMode(), 2);

    // A context of the frame starts with the frame's bounds as its clip.
    CDrawContext* context = frame->newDrawContext();
    CRectangle clip;
    context->getClipArea(clip);
    EXPECT_EQ(clip, CRectangle(0, 0, 340, 300));
    context->setClipArea(CRectangle(1, 1, 2, 2));
    context->resetClipArea();
    context->getClipArea(clip);
    EXPECT_EQ(clip, CRectangle(0, 0, 340, 300));
    EXPECT_FALSE(context->waitForDrag());  // no button is down
    context->release();

    view->setNeedsRepaint(false);
    frame->markDirtyInArea(CRectangle(20, 20, 30, 30));  // touching edges count
    EXPECT_TRUE(view->needsRepaint());

    CView* modal = new CView(CRectangle(0, 0, 5, 5));
    EXPECT_FALSE(frame->makeModal(view));  // already attached
    EXPECT_TRUE(frame->makeModal(modal));
    EXPECT_EQ(frame->modalChild(), modal);
    EXPECT_EQ(frame->viewUnderMouse(), modal);
    EXPECT_TRUE(frame->makeModal(nullptr));
    EXPECT_EQ(frame->modalChild(), nullptr);
    EXPECT_FALSE(modal->isAttached());
    EXPECT_EQ(modal->getNbReference(), 1);  // the caller's reference stays
    EXPECT_TRUE(frame->makeModal(nullptr));
    modal->release();

    frame->setWindowOpen(false);
    EXPECT_FALSE(frame->isWindowOpen());
    frame->release();
}

TEST_F(ViewTest, ViewPaintsItsBackdropIntoItsBounds) {
    COffscreenContext* picture = new COffscreenContext(nullptr, 10, 10);
    picture->setFillColour(CRgbaColour(255, 0, 0, 128));
    picture->fillRectangle(CRectangle(0, 0, 10, 10));
    for (bool transparent : {false, true}) {
        CView* view = new CView(CRectangle(5, 5, 15, 15));
        view->setBackdrop(picture->getBitmap());
        view->setTransparent(transparent);
        EXPECT_TRUE(view->needsRepaint());
        COffscreenContext target(nullptr, 20, 20);
        target.setFillColour(CRgbaColour(0, 0, 255));
        target.fillRectangle(CRectangle(0, 0, 20, 20));
        view->paint(&target);
        EXPECT_FALSE(view->needsRepaint());
        CRgbaColour mixed = colourAt(target, 10, 10);
        EXPECT_NEAR(mixed.red, 128, 3) << transparent;
        EXPECT_NEAR(mixed.blue, 127, 3) << transparent;
        EXPECT_EQ(colourAt(target, 4, 4), CRgbaColour(0, 0, 255)) << transparent;
        view->release();
    }
    EXPECT_EQ(picture->getBitmap()->getNbReference(), 1);
    picture->release();
}

// Frames inside a host window of the test's own. A visible top-level
// window takes Wine a while to make, so the suite shares one.
class FrameWindowTest : public ViewTest {
protected:
    static void SetUpTestSuite() {
        topLevel = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 100, 80, 400,
                                   400, nullptr, nullptr, nullptr, nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(topLevel); }
    void SetUp() override {
        ViewTest::SetUp();
        savedModule = platformModuleHandle();
        platformSetModuleHandle(GetModuleHandleW(nullptr));
        ASSERT_NE(topLevel, nullptr);
        host = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 400, topLevel,
                               nullptr, nullptr, nullptr);
        ASSERT_NE(host, nullptr);
    }
    void TearDown() override {
        if (host) DestroyWindow(host);
        platformSetModuleHandle(savedModule);
        ViewTest::TearDown();
    }
    static bool classRegistered(const std::wstring& name) {
        WNDCLASSW info;
        return GetClassInfoW(GetModuleHandleW(nullptr), name.c_str(), &info) != 0;
    }
    static HWND topLevel;
    void* savedModule = nullptr;
    HWND host = nullptr;
};

HWND FrameWindowTest::topLevel = nullptr;

TEST_F(FrameWindowTest, FramesMakeChildWindowsOfOneSharedClass) {
    CFrame* first = new CFrame(CRectangle(0, 0, 340, 300), host, nullptr);
    CFrame* second = new CFrame(CRectangle(0, 0, 100, 100), host, nullptr);
    HWND window = first->getWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), host);
    EXPECT_EQ(reinterpret_cast<CFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA)), first);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 340);
    EXPECT_EQ(client.bottom, 300);
    wchar_t name[64] = {}, expected[64] = {};
    GetClassNameW(window, name, 64);
    wsprintfW(expected, L"Plugin%p", static_cast<void*>(GetModuleHandleW(nullptr)));
    EXPECT_STREQ(name, expected);
    GetClassNameW(second->getWindow(), name, 64);
    EXPECT_STREQ(name, expected);

    first->release();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(classRegistered(expected));
    second->release();
    EXPECT_FALSE(classRegistered(expected));

    CFrame* windowless = new CFrame(CRectangle(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_EQ(windowless->getWindow(), nullptr);
    EXPECT_FALSE(classRegistered(expected));
    windowless->release();
}

TEST_F(FrameWindowTest, MouseMessagesReachTheViewsAndCaptureFollowsThePress) {
    std::string log;
    CFrame* frame = new CFrame(CRectangle(0, 0, 340, 300), host, nullptr);
    ProbeView* view = new ProbeView(CRectangle(20, 20, 200, 200), "view", &log);
    frame->appendChild(view);
    HWND window = frame->getWindow();

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(30, 40));
    EXPECT_EQ(view->last, CPosition(30, 40));
    EXPECT_EQ(view->lastState & ~kModAlt, kButtonLeft | kModShift);
    EXPECT_EQ(GetCapture(), window);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(250, 250));  // outside: still the view's
    EXPECT_EQ(view->last, CPosition(250, 250));
    EXPECT_EQ(GetCapture(), nullptr);

    SendMessageW(window, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(view->lastState & ~kModAlt, kButtonRight | kButtonDouble);
    SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(50, 50));
    EXPECT_EQ(view->lastState & kButtonDouble, 0);

    view->downResult = kMouseNotHandled;  // not taken: no capture
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));

    // The wheel's point arrives in screen coordinates; whole notches only.
    RECT r;
    GetWindowRect(window, &r);
    struct Case {
        short delta;
        float distance;
    } wheels[] = {{120, 1.0f}, {-120, -1.0f}, {119, 0.0f}, {-240, -2.0f}};
    for (const Case& k : wheels) {
        view->wheel = 99;
        SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, k.delta),
                     MAKELPARAM(r.left + 60, r.top + 70));
        EXPECT_EQ(view->wheel, k.distance) << k.delta;
        EXPECT_EQ(view->last, CPosition(60, 70)) << k.delta;
    }

    log.clear();
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    EXPECT_EQ(frame->mouseOverView(), view);
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(frame->mouseOverView(), nullptr);
    EXPECT_EQ(log, "view.hover view.unhover ");
    frame->release();
}

TEST_F(FrameWindowTest, PaintMessagesPaintTheTreeAndDestructionClosesTheFrame) {
    CFrame* frame = new CFrame(CRectangle(0, 0, 340, 300), host, nullptr);
    ProbeView* view = new ProbeView(CRectangle(20, 20, 200, 200), "view");
    frame->appendChild(view);
    HWND window = frame->getWindow();
    UpdateWindow(window);
    int painted = view->paints;
    EXPECT_GE(painted, 1);

    // Dirty views become invalid window areas at idle time.
    ValidateRect(window, nullptr);
    view->setNeedsRepaint(true);
    frame->setNeedsRepaint(false);
    frame->idleRefresh();
    RECT invalid;
    ASSERT_TRUE(GetUpdateRect(window, &invalid, FALSE));
    EXPECT_EQ(invalid.left, 20);
    EXPECT_EQ(invalid.bottom, 200);
    UpdateWindow(window);
    EXPECT_EQ(view->paints, painted + 1);
    EXPECT_FALSE(view->needsRepaint());

    DestroyWindow(host);  // the host goes before the editor closes
    host = nullptr;
    EXPECT_FALSE(frame->isWindowOpen());
    view->setNeedsRepaint(true);
    frame->idleRefresh();  // does nothing now
    frame->release();
}

// Grows the windows around the frame: frame (340 x 300) in a host of the
// same size in an outer window 10 pixels larger each way.
TEST_F(FrameWindowTest, ResizeGrowsTheEnclosingWindowsAndTheFrame) {
    HWND outer = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 350, 310, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 340, 300, outer, nullptr,
                                 nullptr, nullptr);
    CFrame* frame = new CFrame(CRectangle(0, 0, 340, 300), inner, nullptr);
    auto size = [](HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        return CPosition(r.right - r.left, r.bottom - r.top);
    };
    EXPECT_FALSE(frame->resizeFrame(340, 300));  // the current size
    EXPECT_EQ(frame->findOuterWindow(), outer);   // top-level
    EXPECT_TRUE(frame->resizeFrame(360, 320));
    EXPECT_EQ(size(frame->getWindow()), CPosition(360, 320));
    EXPECT_EQ(size(inner), CPosition(360, 320));
    EXPECT_EQ(size(outer), CPosition(370, 330));
    EXPECT_EQ(frame->bounds(), CRectangle(0, 0, 360, 320));

    CRectangle hostRect;
    EXPECT_TRUE(frame->getHostRect(hostRect));
    EXPECT_EQ(hostRect.width(), 360);
    double x = -1, y = -1;
    EXPECT_TRUE(frame->getOuterPosition(x, y));
    EXPECT_FALSE(frame->moveFrame(5, 5));
    frame->release();
    DestroyWindow(outer);

    // Growth of more than 80 pixels stops the climb and leaves the bounds.
    frame = new CFrame(CRectangle(0, 0, 200, 200), host, nullptr);  // host is 400 x 400
    EXPECT_TRUE(frame->resizeFrame(210, 210));
    EXPECT_EQ(size(frame->getWindow()), CPosition(210, 210));
    EXPECT_EQ(size(host), CPosition(400, 400));
    EXPECT_EQ(frame->bounds(), CRectangle(0, 0, 200, 200));
    frame->setWindowOpen(false);
    EXPECT_FALSE(frame->resizeFrame(100, 100));
    EXPECT_FALSE(frame->getHostRect(&hostRect));
    frame->release();
}

TEST_F(ViewTest, FrameCloneIsAWindowlessFrameWithCopiedChildren) {
    CountingEditor editor;
    CFrame* frame = new CFrame(CRectangle(0, 0, 50, 50), nullptr, &editor);
    ProbeView* view = new ProbeView(CRectangle(1, 1, 9, 9), "view");
    frame->appendChild(view);
    frame->moveFocusTo(view);
    CFrame* copy = static_cast<CFrame*>(frame->clone());
    EXPECT_TRUE(copy->isKindOf("CFrame"));
    EXPECT_EQ(copy->getEditorInterface(), &editor);
    EXPECT_EQ(copy->getWindow(), nullptr);
    EXPECT_EQ(copy->focusedView(), nullptr);
    ASSERT_EQ(copy->childCount(), 1);
    EXPECT_TRUE(copy->childAt(0)->isAttached());
    EXPECT_EQ(copy->childAt(0)->getFrame(), copy);
    copy->release();
    frame->release();
}

}  // namespace
}  // namespace toolkit_test
