// The view tree: views are rectangles in their parent's coordinates that
// draw themselves and take input; containers hold ordered, retained
// children. GUI thread only; reference counts are plain integers.
#pragma once

#include <cstdint>
#include <vector>

#include "vstgui/cbaseobject.h"
#include "vstgui/vstguitypes.h"

namespace VSTGUI {

class CBitmap;
class CDragContainer;
class CDrawContext;
class CFrame;
class COffscreenContext;
class CViewContainer;
class VSTGUIEditorInterface;

enum : int32_t {
    kResizeLeft = 1,
    kResizeTop = 2,
    kResizeRight = 4,
    kResizeBottom = 8,
    // On containers: the children share a width or height change equally.
    kResizeColumn = 16,
    kResizeRow = 32,
};

enum : int32_t { kWheelHorizontal = 0, kWheelVertical = 1 };

class CView : public CBaseObject {
public:
    explicit CView(const CRectangle& size);
    ~CView() override;

    int32_t handleMessage(CBaseObject* sender, CMessage message) override;
    virtual void paint(CDrawContext* context);
    virtual void paintArea(CDrawContext* context, const CRectangle& update);
    virtual bool touchesArea(const CRectangle& rect) const;
    virtual bool needsRepaint() const;
    virtual void setNeedsRepaint(bool dirty);
    virtual void invalidateArea(const CRectangle& rect);
    virtual void invalidateAll();
    virtual void setShown(bool shown);
    virtual CMouseResult handleMouseDown(const CPosition& where, const CInputState& state);
    virtual CMouseResult handleMouseUp(const CPosition& where, const CInputState& state);
    virtual CMouseResult handleMouseMove(const CPosition& where, const CInputState& state);
    virtual CMouseResult handleMouseEnter(const CPosition& where, const CInputState& state);
    virtual CMouseResult handleMouseLeave(const CPosition& where, const CInputState& state);
    virtual bool acceptsHit(const CPosition& where, const CInputState& state) const;
    virtual bool handleWheel(const CPosition& where, float distance, const CInputState& state);
    virtual bool handleWheelOnAxis(const CPosition& where, int32_t axis, float distance,
                                   const CInputState& state);
    virtual void setMouseActive(bool active);
    virtual bool isMouseActive() const;
    virtual void setHitArea(const CRectangle& rect);
    virtual void getHitArea(CRectangle& rect) const;
    virtual const CRectangle& hitArea() const;
    virtual bool handleDrop(CDragContainer* drag, const CPosition& where);
    virtual void handleDragEnter(CDragContainer* drag, const CPosition& where);
    virtual void handleDragLeave(CDragContainer* drag, const CPosition& where);
    virtual void handleDragMove(CDragContainer* drag, const CPosition& where);
    // Key handlers answer -1 for a key they did not take.
    virtual int32_t handleKeyDown(const CKeyCode& key);
    virtual int32_t handleKeyUp(const CKeyCode& key);
    virtual void setBounds(const CRectangle& rect, bool markDirty);
    virtual void getBounds(CRectangle& rect) const;
    virtual const CRectangle& bounds() const;
    virtual CRectangle getVisibleBounds() const;
    virtual void parentResized();
    virtual void fromFramePoint(CPosition& point) const;
    virtual void toFramePoint(CPosition& point) const;
    virtual void setResizeFlags(int32_t flags);
    virtual int32_t resizeFlags() const;
    virtual void focusLost();
    virtual void focusGained();
    virtual bool acceptsFocus() const;
    virtual void setAcceptsFocus(bool accepts);
    virtual void setBackdrop(CBitmap* bitmap);
    virtual CBitmap* backdrop() const;
    virtual void setTransparent(bool transparent);
    virtual bool isTransparent() const;
    virtual bool detachFromParent(CViewContainer* parent);
    virtual bool attachToParent(CViewContainer* parent);
    virtual VSTGUIEditorInterface* getEditorInterface() const;
    virtual bool isKindOf(const char* className) const;
    virtual CView* clone() const;
    virtual void trackMouse(CDrawContext* context, const CPosition& where, CInputState state);
    // The answer is in the parent's coordinates.
    virtual void queryMousePosition(CDrawContext* context, CPosition& where);
    virtual void setParentContainer(CViewContainer* parent);
    virtual void setOwnerFrame(CFrame* frame);
    virtual void getFrameOrigin(CPosition& point) const;

    CFrame* getFrame() const { return ownerFrame; }
    CViewContainer* getParentView() const { return parentContainer; }
    bool isAttached() const { return attached; }
    bool isVisible() const { return visible; }
    double width() const { return boundsRect.width(); }
    double height() const { return boundsRect.height(); }

    // Free data kept with the view, copied by clone.
    void setAttribute(int32_t id, int32_t size, const void* data);
    bool getAttribute(int32_t id, int32_t size, void* data) const;
    int32_t attributeSize(int32_t id) const;  // -1 without such an entry
    void removeAttribute(int32_t id);

protected:
    // Copies what a clone takes; the copy starts detached, visible and clean.
    void copyViewState(const CView& from);
    // The parent, or the frame when there is none; null while detached.
    void passInvalidation(const CRectangle& rect);

    CRectangle boundsRect;
    CRectangle hitRect;
    CFrame* ownerFrame = nullptr;
    CViewContainer* parentContainer = nullptr;
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparent = false;
    bool wantsFocus = false;
    bool attached = false;
    bool visible = true;
    int32_t resizeFlagsValue = 0;
    CBitmap* backgroundBitmap = nullptr;

    struct Attribute {
        int32_t id;
        std::vector<uint8_t> bytes;
    };
    std::vector<Attribute> attributes;
};

// One entry of a container's child list; holds one reference on its view.
struct CViewNode {
    CView* view;
    CViewNode* next;
    CViewNode* previous;
};

class CViewContainer : public CView {
public:
    CViewContainer(const CRectangle& size, CFrame* frame, CBitmap* background = nullptr);
    ~CViewContainer() override;

    int32_t handleMessage(CBaseObject* sender, CMessage message) override;
    void paint(CDrawContext* context) override;
    void paintArea(CDrawContext* context, const CRectangle& update) override;
    bool needsRepaint() const override;
    void invalidateArea(const CRectangle& rect) override;
    void invalidateAll() override;
    CMouseResult handleMouseDown(const CPosition& where, const CInputState& state) override;
    CMouseResult handleMouseUp(const CPosition& where, const CInputState& state) override;
    CMouseResult handleMouseMove(const CPosition& where, const CInputState& state) override;
    bool acceptsHit(const CPosition& where, const CInputState& state) const override;
    bool handleWheel(const CPosition& where, float distance, const CInputState& state) override;
    bool handleWheelOnAxis(const CPosition& where, int32_t axis, float distance,
                           const CInputState& state) override;
    bool handleDrop(CDragContainer* drag, const CPosition& where) override;
    void handleDragEnter(CDragContainer* drag, const CPosition& where) override;
    void handleDragLeave(CDragContainer* drag, const CPosition& where) override;
    void handleDragMove(CDragContainer* drag, const CPosition& where) override;
    int32_t handleKeyDown(const CKeyCode& key) override;
    int32_t handleKeyUp(const CKeyCode& key) override;
    void setBounds(const CRectangle& rect, bool markDirty) override;
    void parentResized() override;
    void fromFramePoint(CPosition& point) const override;
    void toFramePoint(CPosition& point) const override;
    void focusLost() override;
    void focusGained() override;
    bool detachFromParent(CViewContainer* parent) override;
    bool attachToParent(CViewContainer* parent) override;
    bool isKindOf(const char* className) const override;
    CView* clone() const override;
    void trackMouse(CDrawContext* context, const CPosition& where, CInputState state) override;

    virtual bool appendChild(CView* view);
    virtual bool appendChildWithHitArea(CView* view, const CRectangle& hitArea, bool mouseEnabled);
    virtual bool insertChildBefore(CView* view, CView* existing);
    virtual bool removeChild(CView* view, bool releaseCallers);
    virtual bool removeAllChildren(bool releaseCallers);
    virtual bool hasChild(CView* view) const;
    virtual int32_t childCount() const;
    virtual CView* childAt(int32_t index) const;
    virtual CView* findViewAt(const CPosition& where, bool deep) const;
    virtual CViewContainer* findContainerAt(const CPosition& where, bool deep);
    virtual void setBackdropColour(const CRgbaColour& colour);
    virtual CRgbaColour backdropColour() const;
    virtual void setBackdropOffset(const CPosition& offset);
    virtual const CPosition& backdropOffset() const;
    virtual void paintBackdropArea(CDrawContext* context, const CRectangle& rect);
    virtual void setBufferedDrawing(bool buffered);
    virtual bool focusNextView(CView* old, bool reverse);
    virtual bool refreshDirtyViews();
    virtual CRectangle clipToVisible(const CRectangle& rect) const;
    virtual CView* viewUnderMouse();
    virtual bool childNeedsPaint(CView* view, const CRectangle& rect) const;
    virtual bool anyChildAccepts(const CPosition& where, const CInputState& state) const;

    bool isBufferedDrawing() const { return bufferedDrawing; }
    COffscreenContext* getOffscreen() const { return offscreen; }
    CView* getMouseDownView() const { return mouseDownView; }
    CView* getDragView() const { return dragView; }

protected:
    // Copies the container's own state and clones of the children.
    void copyContainerState(const CViewContainer& from);
    CPosition toLocal(const CPosition& where) const {
        return CPosition(where.x - boundsRect.left, where.y - boundsRect.top);
    }
    void makeOffscreen();
    void dropOffscreen();
    // Clears the input pointers that would dangle once the view goes.
    void forgetChild(CView* view);
    // The topmost visible child whose hit area holds the local point.
    CView* visibleChildAt(const CPosition& local) const;
    // Offers the key from the last child to the first; -1 when none takes it.
    int32_t offerKey(const CKeyCode& key, int32_t (CView::*handler)(const CKeyCode&));

    CViewNode* firstChild = nullptr;
    CViewNode* lastChild = nullptr;
    COffscreenContext* offscreen = nullptr;
    CRgbaColour backgroundColour{0, 0, 0, 255};
    CPosition backgroundOffset;
    bool bufferedDrawing = false;
    CView* dragView = nullptr;
    CView* mouseDownView = nullptr;
};

}  // namespace VSTGUI
