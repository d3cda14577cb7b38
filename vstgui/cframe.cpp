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
    enterGdiplus();
}

CFrame::~CFrame() {
    if (modalView) {
        CView* modal = modalView;
        modalView = nullptr;
        CViewContainer::removeChild(modal, false);
    }
    // Cleared first: the children must not call back into a frame that is
    // going away.
    ownerFrame = nullptr;
    modalView = focusView = mouseOver = nullptr;
    CViewContainer::removeAllChildren(true);
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

bool CFrame::currentMouseLocation(CPosition& where) const { return getMouseLocation(where); }

CDrawContext* CFrame::newDrawContext() { return new CDrawContext(this, nullptr, window); }

}  // namespace VSTGUI
