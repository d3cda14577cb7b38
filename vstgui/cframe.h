// The root of the view tree: the services its views ask of it
// (invalidation, focus, the modal view, the editor interface, idle work,
// mouse location), its painting, and the child window it makes in the
// host's window, whose messages it turns into calls on the tree. Without a
// host window it has no window and gets no messages. GUI thread.
#pragma once

#include <cstdint>

#include "vstgui/cview.h"

struct HWND__;

namespace VSTGUI {

class CDrawContext;

// What the frame asks of the editor that owns it.
class VSTGUIEditorInterface {
public:
    virtual void doIdleStuff() {}
    virtual int32_t getKnobMode() const { return 0; }
    virtual void beginEdit(int32_t index) { (void)index; }
    virtual void endEdit(int32_t index) { (void)index; }

protected:
    ~VSTGUIEditorInterface() = default;
};

// Told of the mouse entering, leaving, moving over and pressing on the
// frame's views.
class CMouseListener {
public:
    virtual void mouseEntered(CView* view, CFrame* frame) { (void)view, (void)frame; }
    virtual void mouseExited(CView* view, CFrame* frame) { (void)view, (void)frame; }
    virtual void mouseMoved(CFrame* frame, const CPosition& where, const CInputState& state) {
        (void)frame, (void)where, (void)state;
    }
    virtual void mouseDown(CFrame* frame, const CPosition& where, const CInputState& state) {
        (void)frame, (void)where, (void)state;
    }

protected:
    ~CMouseListener() = default;
};

enum : uint8_t { kVirtualKeyTab = 2, kModifierShift = 1 };

class CFrame : public CViewContainer {
public:
    CFrame(const CRectangle& size, HWND__* parentWindow, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    void paint(CDrawContext* context) override;
    void paintArea(CDrawContext* context, const CRectangle& update) override;
    void invalidateArea(const CRectangle& rect) override;
    void invalidateAll() override;
    CMouseResult handleMouseDown(const CPosition& where, const CInputState& state) override;
    CMouseResult handleMouseMove(const CPosition& where, const CInputState& state) override;
    CMouseResult handleMouseLeave(const CPosition& where, const CInputState& state) override;
    bool handleWheel(const CPosition& where, float distance, const CInputState& state) override;
    bool handleWheelOnAxis(const CPosition& where, int32_t axis, float distance,
                           const CInputState& state) override;
    int32_t handleKeyDown(const CKeyCode& key) override;
    int32_t handleKeyUp(const CKeyCode& key) override;
    void setBounds(const CRectangle& rect, bool markDirty) override;
    VSTGUIEditorInterface* getEditorInterface() const override;
    bool isKindOf(const char* className) const override;
    // A windowless frame with the same editor, listener and host window and
    // copies of the children. The window, back buffer and the modal, focus
    // and mouse-over views stay with the original, which owns them.
    CView* clone() const override;
    // Polls the buttons until one that was down at the press is released.
    void trackMouse(CDrawContext* context, const CPosition& where, CInputState state) override;
    bool removeChild(CView* view, bool releaseCallers) override;
    bool removeAllChildren(bool releaseCallers) override;
    bool focusNextView(CView* old, bool reverse) override;
    CView* viewUnderMouse() override;

    virtual bool windowOpenState() const;
    virtual void idleRefresh();
    virtual void forwardIdle();
    virtual uint32_t tickCount() const;
    virtual int32_t knobMode() const;
    // Moving the frame is not supported: always false.
    virtual bool moveFrame(double x, double y);
    virtual bool getOuterPosition(double& x, double& y) const;
    virtual bool resizeFrame(double width, double height);
    virtual bool getHostRect(CRectangle& rect) const;
    virtual bool getHostRect(CRectangle* rect) const;
    virtual bool makeModal(CView* view);
    virtual CView* modalChild() const;
    virtual void startParameterEdit(int32_t index);
    virtual void finishParameterEdit(int32_t index);
    virtual bool getMouseLocation(CPosition& where) const;
    virtual CInputState getMouseButtons() const;
    virtual void setCursorShape(int32_t shape);
    virtual void moveFocusTo(CView* view);
    virtual CView* focusedView() const;
    virtual void forgetView(CView* view);
    virtual void setWindowOpen(bool open);
    virtual bool isWindowOpen() const;
    virtual void markDirtyInArea(const CRectangle& rect);
    virtual CMouseListener* mouseListener() const;
    virtual void attachMouseListener(CMouseListener* listener);
    virtual bool currentMouseLocation(CPosition& where) const;

    // A context on the frame window; the caller releases it.
    CDrawContext* newDrawContext();
    // The frame-sized image painting goes through on systems before major
    // version 6; null on later ones.
    COffscreenContext* frameBackBuffer();
    // The nearest enclosing window that has a caption, is top-level or
    // differs from the frame window's size by more than 60 pixels.
    HWND__* findOuterWindow() const;
    HWND__* getWindow() const { return window; }
    CView* mouseOverView() const { return mouseOver; }

protected:
    // Tells the mouse-over view, with the point as given, that the mouse
    // left it, and forgets it.
    void endHover(const CPosition& where, const CInputState& state);

    VSTGUIEditorInterface* editor = nullptr;
    CMouseListener* listener = nullptr;
    HWND__* parentWindow = nullptr;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    CView* mouseOver = nullptr;
    bool windowOpen = true;
    HWND__* window = nullptr;
    COffscreenContext* backBuffer = nullptr;
    // A leave notification has been asked for and not yet delivered.
    bool mouseTracking = false;
    // The cursor current at the first setCursorShape.
    void* savedCursor = nullptr;
    bool cursorSaved = false;

private:
    friend struct CFrameWindow;
    void createWindow();
    void destroyWindow();
};

}  // namespace VSTGUI
