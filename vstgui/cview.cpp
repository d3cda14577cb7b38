#include "vstgui/cview.h"

#include <cstring>

#include "vstgui/cbitmap.h"
#include "vstgui/cdrawcontext.h"
#include "vstgui/cframe.h"

namespace VSTGUI {

namespace {
bool hasArea(const CRectangle& r) { return r.width() > 0 && r.height() > 0; }
}  // namespace

// --- CView ---

CView::CView(const CRectangle& size) : boundsRect(size), hitRect(size) {}

CView::~CView() {
    if (backgroundBitmap) backgroundBitmap->release();
    backgroundBitmap = nullptr;
}

int32_t CView::handleMessage(CBaseObject* sender, CMessage message) {
    (void)sender, (void)message;
    return 0;
}

void CView::paint(CDrawContext* context) {
    if (backgroundBitmap) {
        if (transparent)
            backgroundBitmap->drawBitmapTransparent(context, boundsRect, CPosition());
        else
            backgroundBitmap->drawBitmap(context, boundsRect, CPosition());
    }
    setNeedsRepaint(false);
}

void CView::paintArea(CDrawContext* context, const CRectangle& update) {
    (void)update;
    paint(context);
}

bool CView::touchesArea(const CRectangle& rect) const { return boundsRect.rectOverlap(rect); }
bool CView::needsRepaint() const { return dirty; }
void CView::setNeedsRepaint(bool value) { dirty = value; }

void CView::passInvalidation(const CRectangle& rect) {
    if (parentContainer)
        parentContainer->invalidateArea(rect);
    else if (ownerFrame)
        ownerFrame->invalidateArea(rect);
}

void CView::invalidateArea(const CRectangle& rect) {
    if (attached && visible) passInvalidation(rect);
}

void CView::invalidateAll() {
    setNeedsRepaint(false);
    invalidateArea(boundsRect);
}

void CView::setShown(bool shown) {
    if (shown == visible) return;
    visible = shown;
    setNeedsRepaint(true);
}

CMouseResult CView::handleMouseDown(const CPosition&, const CInputState&) {
    return kMouseNotImplemented;
}
CMouseResult CView::handleMouseUp(const CPosition&, const CInputState&) {
    return kMouseNotImplemented;
}
CMouseResult CView::handleMouseMove(const CPosition&, const CInputState&) {
    return kMouseNotImplemented;
}
CMouseResult CView::handleMouseEnter(const CPosition&, const CInputState&) {
    return kMouseNotImplemented;
}
CMouseResult CView::handleMouseLeave(const CPosition&, const CInputState&) {
    return kMouseNotImplemented;
}

bool CView::acceptsHit(const CPosition& where, const CInputState&) const {
    return hitRect.pointInside(where);
}

bool CView::handleWheel(const CPosition&, float, const CInputState&) { return false; }

bool CView::handleWheelOnAxis(const CPosition& where, int32_t axis, float distance,
                              const CInputState& state) {
    return handleWheel(where, axis == kWheelVertical ? distance : -distance, state);
}

void CView::setMouseActive(bool active) { mouseEnabled = active; }
bool CView::isMouseActive() const { return mouseEnabled; }
void CView::setHitArea(const CRectangle& rect) { hitRect = rect; }
void CView::getHitArea(CRectangle& rect) const { rect = hitRect; }
const CRectangle& CView::hitArea() const { return hitRect; }

bool CView::handleDrop(CDragContainer*, const CPosition&) { return false; }
void CView::handleDragEnter(CDragContainer*, const CPosition&) {}
void CView::handleDragLeave(CDragContainer*, const CPosition&) {}
void CView::handleDragMove(CDragContainer*, const CPosition&) {}
int32_t CView::handleKeyDown(const CKeyCode&) { return -1; }
int32_t CView::handleKeyUp(const CKeyCode&) { return -1; }

void CView::setBounds(const CRectangle& rect, bool markDirty) {
    boundsRect = rect;
    if (markDirty) setNeedsRepaint(true);
}

void CView::getBounds(CRectangle& rect) const { rect = boundsRect; }
const CRectangle& CView::bounds() const { return boundsRect; }

CRectangle CView::getVisibleBounds() const {
    if (parentContainer) return parentContainer->clipToVisible(boundsRect);
    if (ownerFrame) return ownerFrame->clipToVisible(boundsRect);
    return CRectangle();
}

void CView::parentResized() {}

void CView::fromFramePoint(CPosition& point) const {
    if (parentContainer) parentContainer->fromFramePoint(point);
}

void CView::toFramePoint(CPosition& point) const {
    if (parentContainer) parentContainer->toFramePoint(point);
}

void CView::setResizeFlags(int32_t flags) { resizeFlagsValue = flags; }
int32_t CView::resizeFlags() const { return resizeFlagsValue; }
void CView::focusLost() {}
void CView::focusGained() {}
bool CView::acceptsFocus() const { return wantsFocus; }
void CView::setAcceptsFocus(bool accepts) { wantsFocus = accepts; }

void CView::setBackdrop(CBitmap* bitmap) {
    // Retained first: the new bitmap may be the old one.
    if (bitmap) bitmap->retain();
    if (backgroundBitmap) backgroundBitmap->release();
    backgroundBitmap = bitmap;
    setNeedsRepaint(true);
}

CBitmap* CView::backdrop() const { return backgroundBitmap; }
void CView::setTransparent(bool value) { transparent = value; }
bool CView::isTransparent() const { return transparent; }

bool CView::detachFromParent(CViewContainer* parent) {
    (void)parent;
    if (!attached) return false;
    parentContainer = nullptr;
    ownerFrame = nullptr;
    attached = false;
    return true;
}

bool CView::attachToParent(CViewContainer* parent) {
    if (attached || !parent) return false;
    parentContainer = parent;
    ownerFrame = parent->getFrame();
    attached = true;
    return true;
}

VSTGUIEditorInterface* CView::getEditorInterface() const {
    return ownerFrame ? ownerFrame->getEditorInterface() : nullptr;
}

bool CView::isKindOf(const char* className) const {
    return className && std::strcmp(className, "CView") == 0;
}

void CView::copyViewState(const CView& from) {
    boundsRect = from.boundsRect;
    hitRect = from.hitRect;
    mouseEnabled = from.mouseEnabled;
    transparent = from.transparent;
    wantsFocus = from.wantsFocus;
    resizeFlagsValue = from.resizeFlagsValue;
    if (from.backgroundBitmap) from.backgroundBitmap->retain();
    if (backgroundBitmap) backgroundBitmap->release();
    backgroundBitmap = from.backgroundBitmap;
    attributes = from.attributes;
    ownerFrame = nullptr;
    parentContainer = nullptr;
    attached = false;
    visible = true;
    dirty = false;
}

CView* CView::clone() const {
    CView* copy = new CView(boundsRect);
    copy->copyViewState(*this);
    return copy;
}

void CView::trackMouse(CDrawContext*, const CPosition&, CInputState) {}

void CView::queryMousePosition(CDrawContext* context, CPosition& where) {
    if (!context) return;
    if (parentContainer && parentContainer->handleMessage(this, kMsgCheckIfViewContainer) == 1) {
        const CRectangle& p = parentContainer->bounds();
        CPosition origin = context->windowOrigin, offset = context->drawingOffset;
        context->windowOrigin.offset(p.left, p.top);
        context->drawingOffset.offset(p.left, p.top);
        parentContainer->queryMousePosition(context, where);
        context->windowOrigin = origin;
        context->drawingOffset = offset;
        return;
    }
    context->mousePosition(where);
}

void CView::setParentContainer(CViewContainer* parent) { parentContainer = parent; }
void CView::setOwnerFrame(CFrame* frame) { ownerFrame = frame; }

void CView::getFrameOrigin(CPosition& point) const {
    point.offset(boundsRect.left, boundsRect.top);
    if (parentContainer &&
        parentContainer->handleMessage(const_cast<CView*>(this), kMsgCheckIfViewContainer) == 1)
        parentContainer->getFrameOrigin(point);
}

void CView::setAttribute(int32_t id, int32_t size, const void* data) {
    if (size < 0 || (size > 0 && !data)) return;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    for (Attribute& a : attributes) {
        if (a.id == id) {
            a.bytes.assign(bytes, bytes + size);
            return;
        }
    }
    attributes.push_back(Attribute{id, std::vector<uint8_t>(bytes, bytes + size)});
}

bool CView::getAttribute(int32_t id, int32_t size, void* data) const {
    for (const Attribute& a : attributes) {
        if (a.id != id) continue;
        if (size < int32_t(a.bytes.size()) || (!a.bytes.empty() && !data)) return false;
        if (!a.bytes.empty()) std::memcpy(data, a.bytes.data(), a.bytes.size());
        return true;
    }
    return false;
}

int32_t CView::attributeSize(int32_t id) const {
    for (const Attribute& a : attributes)
        if (a.id == id) return int32_t(a.bytes.size());
    return -1;
}

void CView::removeAttribute(int32_t id) {
    for (auto it = attributes.begin(); it != attributes.end(); ++it) {
        if (it->id == id) {
            attributes.erase(it);
            return;
        }
    }
}

// --- CViewContainer ---

CViewContainer::CViewContainer(const CRectangle& size, CFrame* frame, CBitmap* background)
    : CView(size) {
    ownerFrame = frame;
    setBackdrop(background);
}

CViewContainer::~CViewContainer() {
    removeAllChildren(true);
    dropOffscreen();
}

void CViewContainer::makeOffscreen() {
    offscreen = new COffscreenContext(ownerFrame, static_cast<int32_t>(boundsRect.width()),
                                      static_cast<int32_t>(boundsRect.height()));
}

void CViewContainer::dropOffscreen() {
    if (offscreen) offscreen->release();
    offscreen = nullptr;
}

int32_t CViewContainer::handleMessage(CBaseObject* sender, CMessage message) {
    (void)sender;
    return message == kMsgCheckIfViewContainer ? 1 : 0;
}

void CViewContainer::paint(CDrawContext* context) { paintArea(context, boundsRect); }

void CViewContainer::paintArea(CDrawContext* context, const CRectangle& update) {
    if (!context) return;
    CDrawContext* target = context;
    CPosition savedOrigin = context->windowOrigin, savedOffset = context->drawingOffset;
    if (bufferedDrawing) {
        if (!offscreen) makeOffscreen();
        target = offscreen;
    } else {
        context->windowOrigin.offset(boundsRect.left, boundsRect.top);
        context->drawingOffset.offset(boundsRect.left, boundsRect.top);
    }

    CRectangle client = update;
    client.bound(boundsRect);
    client.offset(-boundsRect.left, -boundsRect.top);

    CRectangle oldClip;
    context->getClipArea(oldClip);
    if (bufferedDrawing && ownerFrame != static_cast<CView*>(this))
        oldClip = CRectangle(0, 0, oldClip.width(), oldClip.height());
    CRectangle newClip = client;
    newClip.bound(oldClip);
    target->setClipArea(newClip);

    paintBackdropArea(target, client);

    for (CViewNode* node = firstChild; node; node = node->next) {
        CView* child = node->view;
        if (!childNeedsPaint(child, client)) continue;
        CRectangle childClip = child->bounds();
        childClip.bound(newClip);
        if (childClip.width() == 0 || childClip.height() == 0) continue;
        target->setClipArea(childClip);
        child->paintArea(target, client);
    }
    target->setClipArea(oldClip);

    if (bufferedDrawing) {
        CRectangle destination = update;
        destination.bound(boundsRect);
        offscreen->getBitmap()->drawBitmap(context, destination, CPosition(client.left, client.top));
    } else {
        context->windowOrigin = savedOrigin;
        context->drawingOffset = savedOffset;
    }
    setNeedsRepaint(false);
}

bool CViewContainer::needsRepaint() const {
    if (dirty) return true;
    const CRectangle own(0, 0, boundsRect.width(), boundsRect.height());
    for (CViewNode* node = firstChild; node; node = node->next) {
        if (!node->view->needsRepaint()) continue;
        CRectangle r = node->view->bounds();
        r.bound(own);
        if (hasArea(r)) return true;
    }
    return false;
}

void CViewContainer::invalidateArea(const CRectangle& rect) {
    if (!visible) return;
    CRectangle r = rect;
    r.offset(boundsRect.left, boundsRect.top);
    r.bound(boundsRect);
    if (hasArea(r)) passInvalidation(r);
}

void CViewContainer::invalidateAll() {
    if (visible) passInvalidation(boundsRect);
}

CMouseResult CViewContainer::handleMouseDown(const CPosition& where, const CInputState& state) {
    CPosition local = toLocal(where);
    for (CViewNode* node = lastChild; node; node = node->previous) {
        CView* child = node->view;
        if (!child->isVisible() || !child->isMouseActive() || !child->acceptsHit(local, state))
            continue;
        CMouseResult result = child->handleMouseDown(local, state);
        if (result == kMouseHandled) {
            mouseDownView = child;
            return kMouseHandled;
        }
        if (result != kMouseNotImplemented) return result;
        // A nested container answers 0 only after tracking its own child;
        // tracking through it again would run that child's loop twice.
        if (child->isKindOf("CViewContainer")) return kMouseNotImplemented;
        CDrawContext* context = ownerFrame ? ownerFrame->newDrawContext() : nullptr;
        child->trackMouse(context, local, state);
        if (context) context->release();
        return kMouseNotImplemented;
    }
    return kMouseNotHandled;
}

CMouseResult CViewContainer::handleMouseUp(const CPosition& where, const CInputState& state) {
    if (!mouseDownView) return kMouseNotHandled;
    CView* view = mouseDownView;
    view->handleMouseUp(toLocal(where), state);
    mouseDownView = nullptr;
    return kMouseHandled;
}

CMouseResult CViewContainer::handleMouseMove(const CPosition& where, const CInputState& state) {
    if (!mouseDownView) return kMouseNotHandled;
    if (mouseDownView->handleMouseMove(toLocal(where), state) == kMouseHandled)
        return kMouseHandled;
    mouseDownView = nullptr;
    return kMouseNotHandled;
}

bool CViewContainer::acceptsHit(const CPosition& where, const CInputState&) const {
    return hitRect.pointInside(where);
}

bool CViewContainer::handleWheel(const CPosition& where, float distance, const CInputState& state) {
    return handleWheelOnAxis(where, kWheelVertical, distance, state);
}

bool CViewContainer::handleWheelOnAxis(const CPosition& where, int32_t axis, float distance,
                                       const CInputState& state) {
    CView* child = findViewAt(where, false);
    if (!child) return false;
    return child->handleWheelOnAxis(toLocal(where), axis, distance, state);
}

void CViewContainer::handleDragEnter(CDragContainer* drag, const CPosition& where) {
    if (!ownerFrame) return;
    CPosition local = toLocal(where);
    if (dragView) dragView->handleDragLeave(drag, local);
    dragView = findViewAt(where, false);
    if (dragView) dragView->handleDragEnter(drag, local);
}

void CViewContainer::handleDragMove(CDragContainer* drag, const CPosition& where) {
    if (!ownerFrame) return;
    CPosition local = toLocal(where);
    CView* under = findViewAt(where, false);
    if (under != dragView) {
        if (dragView) dragView->handleDragLeave(drag, local);
        if (under) under->handleDragEnter(drag, local);
        dragView = under;
    } else if (under) {
        under->handleDragMove(drag, local);
    }
}

void CViewContainer::handleDragLeave(CDragContainer* drag, const CPosition& where) {
    if (!ownerFrame) return;
    if (dragView) dragView->handleDragLeave(drag, toLocal(where));
    dragView = nullptr;
}

bool CViewContainer::handleDrop(CDragContainer* drag, const CPosition& where) {
    if (!ownerFrame) return false;
    CPosition local = toLocal(where);
    CView* under = findViewAt(where, false);
    if (under != dragView) {
        if (dragView) dragView->handleDragLeave(drag, local);
        dragView = under;
    }
    if (!under) {
        dragView = nullptr;
        return false;
    }
    bool dropped = under->handleDrop(drag, local);
    if (dragView) dragView->handleDragLeave(drag, local);
    dragView = nullptr;
    return dropped;
}

int32_t CViewContainer::offerKey(const CKeyCode& key, int32_t (CView::*handler)(const CKeyCode&)) {
    for (CViewNode* node = lastChild; node; node = node->previous) {
        int32_t result = (node->view->*handler)(key);
        if (result != -1) return result;
    }
    return -1;
}

int32_t CViewContainer::handleKeyDown(const CKeyCode& key) {
    return offerKey(key, &CView::handleKeyDown);
}

int32_t CViewContainer::handleKeyUp(const CKeyCode& key) { return offerKey(key, &CView::handleKeyUp); }

void CViewContainer::setBounds(const CRectangle& rect, bool markDirty) {
    if (rect == boundsRect) return;
    const CRectangle old = boundsRect;
    CView::setBounds(rect, markDirty);
    const double dw = rect.width() - old.width();
    const double dh = rect.height() - old.height();
    if (dw != 0 || dh != 0) {
        const double n = childCount();
        int32_t i = 0;
        for (CViewNode* node = firstChild; node; node = node->next, ++i) {
            CView* child = node->view;
            CRectangle b = child->bounds(), h = child->hitArea();
            const int32_t flags = child->resizeFlags();
            if (resizeFlagsValue & kResizeColumn) {
                const double share = dw / n;
                for (CRectangle* r : {&b, &h}) {
                    const double oldWidth = r->width();
                    if (i > 0) r->offset(i * share, 0);
                    r->right = r->left + oldWidth + share;
                }
            } else if (dw != 0 && (flags & kResizeRight)) {
                for (CRectangle* r : {&b, &h}) {
                    r->right += dw;
                    if (!(flags & kResizeLeft)) r->left += dw;
                }
            }
            if (resizeFlagsValue & kResizeRow) {
                const double share = dh / n;
                for (CRectangle* r : {&b, &h}) {
                    const double oldHeight = r->height();
                    if (i > 0) r->offset(0, i * share);
                    r->bottom = r->top + oldHeight + share;
                }
            } else if (dh != 0 && (flags & kResizeBottom)) {
                for (CRectangle* r : {&b, &h}) {
                    r->bottom += dh;
                    if (!(flags & kResizeTop)) r->top += dh;
                }
            }
            if (b != child->bounds()) {
                child->setBounds(b, true);
                child->setHitArea(h);
            }
        }
    }
    parentResized();
    if (bufferedDrawing && offscreen) {
        dropOffscreen();
        makeOffscreen();
    }
}

void CViewContainer::parentResized() {
    for (CViewNode* node = firstChild; node; node = node->next) node->view->parentResized();
}

void CViewContainer::fromFramePoint(CPosition& point) const {
    point.offset(-boundsRect.left, -boundsRect.top);
    if (parentContainer) parentContainer->fromFramePoint(point);
}

void CViewContainer::toFramePoint(CPosition& point) const {
    point.offset(boundsRect.left, boundsRect.top);
    if (parentContainer) parentContainer->toFramePoint(point);
}

void CViewContainer::focusLost() {
    for (CViewNode* node = firstChild; node; node = node->next) node->view->focusLost();
}

void CViewContainer::focusGained() {
    for (CViewNode* node = firstChild; node; node = node->next) node->view->focusGained();
}

bool CViewContainer::detachFromParent(CViewContainer* parent) {
    (void)parent;
    dropOffscreen();
    ownerFrame = nullptr;
    for (CViewNode* node = firstChild; node; node = node->next)
        node->view->detachFromParent(this);
    if (!attached) return false;
    parentContainer = nullptr;
    attached = false;
    return true;
}

bool CViewContainer::attachToParent(CViewContainer* parent) {
    if (!parent) return false;
    if (bufferedDrawing && !offscreen) makeOffscreen();
    ownerFrame = parent->getFrame();
    for (CViewNode* node = firstChild; node; node = node->next) node->view->attachToParent(this);
    if (attached) return false;
    parentContainer = parent;
    attached = true;
    return true;
}

bool CViewContainer::isKindOf(const char* className) const {
    return className && (std::strcmp(className, "CViewContainer") == 0 || CView::isKindOf(className));
}

void CViewContainer::copyContainerState(const CViewContainer& from) {
    copyViewState(from);
    backgroundColour = from.backgroundColour;
    backgroundOffset = from.backgroundOffset;
    bufferedDrawing = from.bufferedDrawing;
    // Each copy keeps its maker's reference too, as any appended child
    // does; the container's destruction drops both.
    for (CViewNode* node = from.firstChild; node; node = node->next)
        appendChild(node->view->clone());
}

CView* CViewContainer::clone() const {
    CViewContainer* copy = new CViewContainer(boundsRect, nullptr, nullptr);
    copy->copyContainerState(*this);
    return copy;
}

void CViewContainer::trackMouse(CDrawContext* context, const CPosition& where, CInputState state) {
    if (state == -1 && context) state = currentButtons();
    CPosition local = toLocal(where);
    for (CViewNode* node = lastChild; node; node = node->previous) {
        CView* child = node->view;
        if (child->isMouseActive() && child->acceptsHit(local, state)) {
            child->trackMouse(context, local, state);
            return;
        }
    }
}

bool CViewContainer::appendChild(CView* view) {
    if (!view || view->isAttached()) return false;
    CViewNode* node = new CViewNode{view, nullptr, lastChild};
    view->retain();
    if (lastChild)
        lastChild->next = node;
    else
        firstChild = node;
    lastChild = node;
    if (attached) {
        view->attachToParent(this);
        view->invalidateAll();
    }
    return true;
}

bool CViewContainer::appendChildWithHitArea(CView* view, const CRectangle& area, bool enabled) {
    if (!appendChild(view)) return false;
    view->setMouseActive(enabled);
    view->setHitArea(area);
    return true;
}

bool CViewContainer::insertChildBefore(CView* view, CView* existing) {
    if (!view || view->isAttached()) return false;
    if (!firstChild) return appendChild(view);
    CViewNode* before = firstChild;
    while (before && before->view != existing) before = before->next;
    if (!before) before = lastChild;
    CViewNode* node = new CViewNode{view, before, before->previous};
    view->retain();
    if (before->previous)
        before->previous->next = node;
    else
        firstChild = node;
    before->previous = node;
    if (attached) {
        view->attachToParent(this);
        view->invalidateAll();
    }
    return true;
}

void CViewContainer::forgetChild(CView* view) {
    if (mouseDownView == view) mouseDownView = nullptr;
    if (dragView == view) dragView = nullptr;
    if (ownerFrame) ownerFrame->forgetView(view);
}

bool CViewContainer::removeChild(CView* view, bool releaseCallers) {
    CViewNode* node = firstChild;
    while (node && node->view != view) node = node->next;
    if (!node || !view) return false;
    view->invalidateAll();
    forgetChild(view);
    if (attached) view->detachFromParent(this);
    if (releaseCallers) view->release();
    if (node->previous)
        node->previous->next = node->next;
    else
        firstChild = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        lastChild = node->previous;
    delete node;
    view->release();  // the list's reference, last: the view may go with it
    return true;
}

bool CViewContainer::removeAllChildren(bool releaseCallers) {
    CViewNode* node = firstChild;
    firstChild = lastChild = nullptr;
    while (node) {
        CViewNode* next = node->next;
        CView* view = node->view;
        forgetChild(view);
        if (attached) view->detachFromParent(this);
        if (releaseCallers) view->release();
        view->release();
        delete node;
        node = next;
    }
    return true;
}

bool CViewContainer::hasChild(CView* view) const {
    for (CViewNode* node = firstChild; node; node = node->next)
        if (node->view == view) return view != nullptr;
    return false;
}

int32_t CViewContainer::childCount() const {
    int32_t n = 0;
    for (CViewNode* node = firstChild; node; node = node->next) ++n;
    return n;
}

CView* CViewContainer::childAt(int32_t index) const {
    if (index < 0) return nullptr;
    CViewNode* node = firstChild;
    while (node && index-- > 0) node = node->next;
    return node ? node->view : nullptr;
}

CView* CViewContainer::visibleChildAt(const CPosition& local) const {
    for (CViewNode* node = lastChild; node; node = node->previous)
        if (node->view->isVisible() && node->view->hitArea().pointInside(local)) return node->view;
    return nullptr;
}

CView* CViewContainer::findViewAt(const CPosition& where, bool deep) const {
    if (!ownerFrame || !visible) return nullptr;
    CPosition local = toLocal(where);
    CView* child = visibleChildAt(local);
    if (child && deep && child->isKindOf("CViewContainer"))
        return static_cast<CViewContainer*>(child)->findViewAt(local, true);
    return child;
}

CViewContainer* CViewContainer::findContainerAt(const CPosition& where, bool deep) {
    if (!ownerFrame) return nullptr;
    CPosition local = toLocal(where);
    CView* child = visibleChildAt(local);
    if (child && deep && child->isKindOf("CViewContainer"))
        return static_cast<CViewContainer*>(child)->findContainerAt(local, true);
    return this;
}

void CViewContainer::setBackdropColour(const CRgbaColour& colour) {
    backgroundColour = colour;
    setNeedsRepaint(true);
}

CRgbaColour CViewContainer::backdropColour() const { return backgroundColour; }
void CViewContainer::setBackdropOffset(const CPosition& offset) { backgroundOffset = offset; }
const CPosition& CViewContainer::backdropOffset() const { return backgroundOffset; }

void CViewContainer::paintBackdropArea(CDrawContext* context, const CRectangle& rect) {
    if (!context) return;
    if (backgroundBitmap) {
        CRectangle oldClip;
        context->getClipArea(oldClip);
        CRectangle clip = rect;
        clip.bound(oldClip);
        context->setClipArea(clip);
        CRectangle whole(0, 0, backgroundBitmap->bitmapWidth(), backgroundBitmap->bitmapHeight());
        if (transparent)
            backgroundBitmap->drawBitmapTransparent(context, whole, backgroundOffset);
        else
            backgroundBitmap->drawBitmap(context, whole, backgroundOffset);
        context->setClipArea(oldClip);
        return;
    }
    if (backgroundColour.alpha == 255 && transparent) return;
    context->setFillColour(backgroundColour);
    context->setPenColour(backgroundColour);
    context->drawRectangle(CRectangle(0, 0, boundsRect.width(), boundsRect.height()),
                           kShapeFilledAndStroked);
}

void CViewContainer::setBufferedDrawing(bool buffered) {
    bufferedDrawing = buffered;
    if (!buffered) dropOffscreen();
}

bool CViewContainer::focusNextView(CView* old, bool reverse) {
    bool skipping = old != nullptr;
    for (CViewNode* node = reverse ? lastChild : firstChild; node;
         node = reverse ? node->previous : node->next) {
        CView* child = node->view;
        if (skipping) {
            if (child == old) skipping = false;
            continue;
        }
        if (child->acceptsFocus()) {
            if (ownerFrame) ownerFrame->moveFocusTo(child);
            child->focusGained();
            return true;
        }
        if (child->isKindOf("CViewContainer") &&
            static_cast<CViewContainer*>(child)->focusNextView(nullptr, reverse))
            return true;
    }
    return false;
}

bool CViewContainer::refreshDirtyViews() {
    if (!visible) return true;
    if (dirty) {
        passInvalidation(boundsRect);
        return true;
    }
    for (CViewNode* node = firstChild; node; node = node->next) {
        CView* child = node->view;
        if (!child->needsRepaint() || !child->isVisible()) continue;
        if (child->isKindOf("CViewContainer"))
            static_cast<CViewContainer*>(child)->refreshDirtyViews();
        else
            child->invalidateAll();
    }
    return true;
}

CRectangle CViewContainer::clipToVisible(const CRectangle& rect) const {
    CRectangle r = rect;
    r.offset(boundsRect.left, boundsRect.top);
    r.bound(boundsRect);
    if (ownerFrame != static_cast<const CView*>(this)) {
        if (parentContainer)
            r = parentContainer->clipToVisible(r);
        else if (ownerFrame)
            r = ownerFrame->clipToVisible(r);
    }
    r.offset(-boundsRect.left, -boundsRect.top);
    return r;
}

CView* CViewContainer::viewUnderMouse() {
    if (!ownerFrame) return nullptr;
    CPosition where;
    ownerFrame->currentMouseLocation(where);
    fromFramePoint(where);
    for (CViewNode* node = lastChild; node; node = node->previous)
        if (node->view->hitArea().pointInside(where)) return node->view;
    return nullptr;
}

bool CViewContainer::childNeedsPaint(CView* view, const CRectangle& rect) const {
    return view && view->touchesArea(rect) && view->isVisible();
}

bool CViewContainer::anyChildAccepts(const CPosition& where, const CInputState& state) const {
    CPosition local = toLocal(where);
    for (CViewNode* node = lastChild; node; node = node->previous)
        if (node->view->isMouseActive() && node->view->acceptsHit(local, state)) return true;
    return false;
}

}  // namespace VSTGUI
