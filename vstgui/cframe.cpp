#include "vstgui/cframe.h"

#include <cstring>

#include "vstgui/cdrawcontext.h"
#include "vstgui/frameaccess.h"
#include "vstgui/platform/gdiplusapi.h"

namespace VSTGUI {

namespace {
// Guards moveFocusTo against the focus handlers moving the focus again.
// Process-wide, GUI thread.
bool focusChanging = false;
}  // namespace

CRectangle frameBounds(CFrame* frame) { return frame->bounds(); }
uint32_t frameTickCount(CFrame* frame) { return frame->tickCount(); }
void frameForwardIdle(CFrame* frame) { frame->forwardIdle(); }

CFrame::CFrame(const CRectangle& size, HWND__* parentWindow, VSTGUIEditorInterface* editor)
    : CViewContainer(size, nullptr, nullptr), editor(editor), parentWindow(parentWindow) {
    // Views added to the frame are attached at once.
    attached = true;
    ownerFrame = this;
    OleInitialize(nullptr);
    enterGdiplus();
    createWindow();
}

CView* CFrame::clone() const {
    CFrame* copy = new CFrame(boundsRect, nullptr, editor);
    copy->copyContainerState(*this);
    copy->attached = true;
    copy->ownerFrame = copy;
    for (CViewNode* node = copy->firstChild; node; node = node->next)
        node->view->attachToParent(copy);
    copy->listener = listener;
    copy->parentWindow = parentWindow;
    copy->windowOpen = windowOpen;
    return copy;
}

CFrame::~CFrame() {
    if (modalView) {
        CView* modal = modalView;
        modalView = nullptr;
        CViewContainer::removeChild(modal, false);
    }
    // Cleared first: the children must not call back into a frame that is
    // going away.
    setCursorShape(0);
    ownerFrame = nullptr;
    modalView = focusView = mouseOver = nullptr;
    CViewContainer::removeAllChildren(true);
    OleUninitialize();
    if (backBuffer) backBuffer->release();
    backBuffer = nullptr;
    destroyWindow();
    leaveGdiplus();
}

void CFrame::paint(CDrawContext* context) { paintArea(context, boundsRect); }

void CFrame::paintArea(CDrawContext* context, const CRectangle& update) {
    CDrawContext* target = context;
    if (target)
        target->retain();
    else
        target = newDrawContext();
    CRectangle oldClip;
    target->getClipArea(oldClip);
    CRectangle clip = update;
    clip.bound(oldClip);
    target->setClipArea(clip);
    if (update.width() > 0 && update.height() > 0) CViewContainer::paintArea(target, update);
    target->setClipArea(oldClip);
    target->release();
}

void CFrame::invalidateArea(const CRectangle& rect) {
    if (!visible || !window) return;
    RECT r = {platform::toInt(rect.left), platform::toInt(rect.top), platform::toInt(rect.right),
              platform::toInt(rect.bottom)};
    InvalidateRect(window, &r, TRUE);
}

void CFrame::invalidateAll() {
    invalidateArea(boundsRect);
    setNeedsRepaint(false);
}

void CFrame::setBounds(const CRectangle& rect, bool markDirty) {
    (void)markDirty;
    CViewContainer::setBounds(rect, true);
}

VSTGUIEditorInterface* CFrame::getEditorInterface() const { return editor; }

bool CFrame::isKindOf(const char* className) const {
    return className && (std::strcmp(className, "CFrame") == 0 || CViewContainer::isKindOf(className));
}

bool CFrame::removeChild(CView* view, bool releaseCallers) {
    if (view && view == modalView) modalView = nullptr;
    return CViewContainer::removeChild(view, releaseCallers);
}

bool CFrame::removeAllChildren(bool releaseCallers) {
    modalView = focusView = mouseOver = nullptr;
    return CViewContainer::removeAllChildren(releaseCallers);
}

CView* CFrame::viewUnderMouse() { return modalView ? modalView : CViewContainer::viewUnderMouse(); }

namespace {
// A frame point in the coordinates the view's handlers use.
CPosition seenBy(const CView* view, const CPosition& where) {
    CPosition p = where;
    view->fromFramePoint(p);
    return p;
}
}  // namespace

void CFrame::endHover(const CPosition& where, const CInputState& state) {
    CView* left = mouseOver;
    if (!left) return;
    mouseOver = nullptr;
    left->handleMouseLeave(where, state);
    if (listener) listener->mouseExited(left, this);
}

CMouseResult CFrame::handleMouseDown(const CPosition& where, const CInputState& state) {
    mouseDownView = nullptr;
    if (focusView) moveFocusTo(nullptr);
    endHover(where, state);
    if (listener) listener->mouseDown(this, where, state);
    if (!modalView) return CViewContainer::handleMouseDown(where, state);

    if (!modalView->acceptsHit(where, state)) return kMouseNotHandled;
    CMouseResult result = modalView->handleMouseDown(where, state);
    if (result == kMouseHandled) {
        mouseDownView = modalView;
        return kMouseHandled;
    }
    if (result != kMouseNotImplemented) return kMouseNotHandled;
    CDrawContext* context = newDrawContext();
    modalView->trackMouse(context, where, state);
    context->release();
    return kMouseHandled;
}

CMouseResult CFrame::handleMouseMove(const CPosition& where, const CInputState& state) {
    if (!mouseTracking) {
        mouseTracking = true;
        if (window) {
            TRACKMOUSEEVENT request = {};
            request.cbSize = sizeof request;
            request.dwFlags = TME_LEAVE;
            request.hwndTrack = window;
            TrackMouseEvent(&request);
        }
    }
    if (listener) listener->mouseMoved(this, where, state);
    if (modalView) return modalView->handleMouseMove(where, state);
    CMouseResult result = CViewContainer::handleMouseMove(where, state);
    if (result != kMouseNotHandled) return result;

    CView* under = findViewAt(where, true);
    if (under == mouseOver) {
        return under ? under->handleMouseMove(seenBy(under, where), 0) : kMouseNotHandled;
    }
    if (mouseOver) endHover(seenBy(mouseOver, where), state);
    if (!under) return kMouseHandled;
    under->handleMouseEnter(seenBy(under, where), state);
    mouseOver = under;
    if (listener) listener->mouseEntered(under, this);
    return kMouseHandled;
}

CMouseResult CFrame::handleMouseLeave(const CPosition& where, const CInputState& state) {
    if (mouseOver) endHover(seenBy(mouseOver, where), state);
    mouseTracking = false;
    return kMouseHandled;
}

bool CFrame::handleWheel(const CPosition& where, float distance, const CInputState& state) {
    return handleWheelOnAxis(where, kWheelVertical, distance, state);
}

bool CFrame::handleWheelOnAxis(const CPosition& where, int32_t axis, float distance,
                               const CInputState& state) {
    // A held button keeps the wheel away from every view.
    if (mouseDownView) return false;
    CView* target = modalView ? modalView : findViewAt(where, false);
    return target ? target->handleWheelOnAxis(where, axis, distance, state) : false;
}

int32_t CFrame::handleKeyDown(const CKeyCode& key) {
    int32_t result = focusView ? focusView->handleKeyDown(key) : -1;
    if (result == -1 && modalView) result = modalView->handleKeyDown(key);
    if (result != -1) return result;
    if (key.virt == kVirtualKeyTab)
        return focusNextView(focusView, (key.modifier & kModifierShift) != 0) ? 1 : -1;
    return -1;
}

int32_t CFrame::handleKeyUp(const CKeyCode& key) {
    int32_t result = focusView ? focusView->handleKeyUp(key) : -1;
    if (result == -1 && modalView) result = modalView->handleKeyUp(key);
    return result;
}

void CFrame::trackMouse(CDrawContext* context, const CPosition& where, CInputState state) {
    if (state == -1) state = currentButtons();
    if (handleMouseDown(where, state) != kMouseHandled) return;
    const CInputState held = state & (kButtonLeft | kButtonMiddle | kButtonRight);
    CPosition last = where;
    for (;;) {
        forwardIdle();
        state = currentButtons();
        CPosition now = last;
        if (context)
            context->mousePosition(now);
        else
            getMouseLocation(now);
        // Nothing held at the press means nothing to wait for.
        if (!held || (state & held) != held) break;
        if (now != last) {
            last = now;
            handleMouseMove(now, state);
        }
    }
    handleMouseUp(last, state);
}

bool CFrame::focusNextView(CView* old, bool reverse) {
    if (modalView) {
        if (modalView->isKindOf("CViewContainer"))
            return static_cast<CViewContainer*>(modalView)->focusNextView(old, reverse);
        if (old == modalView) return false;
        moveFocusTo(modalView);
        return true;
    }
    if (!old) old = focusView;
    if (!old) return CViewContainer::focusNextView(nullptr, reverse);
    if (hasChild(old)) {
        if (CViewContainer::focusNextView(old, reverse)) return true;
        moveFocusTo(nullptr);
        return false;
    }
    // Each ancestor moves on from the child the focus came through; the
    // frame itself last, from its own child on that path.
    CView* from = old;
    for (CViewContainer* p = old->getParentView(); p && p != static_cast<CView*>(this);
         from = p, p = p->getParentView())
        if (p->focusNextView(from, reverse)) return true;
    return CViewContainer::focusNextView(from, reverse);
}

bool CFrame::windowOpenState() const { return windowOpen; }

void CFrame::idleRefresh() {
    if (isWindowOpen()) refreshDirtyViews();
}

void CFrame::forwardIdle() {
    if (editor) editor->doIdleStuff();
}

uint32_t CFrame::tickCount() const { return GetTickCount(); }

int32_t CFrame::knobMode() const { return editor ? editor->getKnobMode() : 0; }

bool CFrame::makeModal(CView* view) {
    if (!view) {
        if (modalView) CViewContainer::removeChild(modalView, false);
        modalView = nullptr;
        return true;
    }
    if (modalView || view->isAttached()) return false;
    modalView = view;
    return appendChild(view);
}

CView* CFrame::modalChild() const { return modalView; }

void CFrame::startParameterEdit(int32_t index) {
    if (editor) editor->beginEdit(index);
}

void CFrame::finishParameterEdit(int32_t index) {
    if (editor) editor->endEdit(index);
}

bool CFrame::getMouseLocation(CPosition& where) const {
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    RECT r = {0, 0, 0, 0};
    if (window) GetWindowRect(window, &r);
    where = CPosition(cursor.x - r.left, cursor.y - r.top);
    return true;
}

void CFrame::moveFocusTo(CView* view) {
    if (view == focusView || focusChanging) return;
    focusChanging = true;
    CView* old = focusView;
    focusView = view;
    auto tellAncestors = [this](CView* v, CMessage message) {
        v->setNeedsRepaint(true);
        for (CViewContainer* p = v->getParentView(); p && p != static_cast<CView*>(this);
             p = p->getParentView())
            p->handleMessage(v, message);
    };
    if (view && view->acceptsFocus()) tellAncestors(view, kMsgNewFocusView);
    if (old) {
        if (old->acceptsFocus()) tellAncestors(old, kMsgOldFocusView);
        old->focusLost();
    }
    focusChanging = false;
}

CView* CFrame::focusedView() const { return focusView; }

namespace {
// The view itself or one of its ancestors: a container that goes takes its
// descendants with it.
bool within(CView* candidate, CView* view) {
    for (CView* v = candidate; v; v = v->getParentView())
        if (v == view) return true;
    return false;
}
}  // namespace

void CFrame::forgetView(CView* view) {
    if (!view) return;
    if (within(mouseOver, view)) mouseOver = nullptr;
    if (within(focusView, view)) focusView = nullptr;
}

void CFrame::setWindowOpen(bool open) { windowOpen = open; }
bool CFrame::isWindowOpen() const { return windowOpen; }

void CFrame::markDirtyInArea(const CRectangle& rect) {
    for (CViewNode* node = firstChild; node; node = node->next)
        if (node->view->bounds().rectOverlap(rect)) node->view->setNeedsRepaint(true);
}

CInputState CFrame::getMouseButtons() const { return currentButtons(); }

CMouseListener* CFrame::mouseListener() const { return listener; }
void CFrame::attachMouseListener(CMouseListener* newListener) { listener = newListener; }

bool CFrame::currentMouseLocation(CPosition& where) const { return getMouseLocation(where); }

CDrawContext* CFrame::newDrawContext() { return new CDrawContext(this, nullptr, window); }

}  // namespace VSTGUI
