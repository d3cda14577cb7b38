// The root of the view tree: the services its views ask of it
// (invalidation, focus, the modal view, the editor interface, idle work,
// mouse location) and its painting. It makes no window of its own here, so
// invalidations reach the system only once a window is set. GUI thread.
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

class CFrame : public CViewContainer {
public:
    CFrame(const CRectangle& size, HWND__* parentWindow, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    void paint(CDrawContext* context) override;
    void paintArea(CDrawContext* context, const CRectangle& update) override;
    void invalidateArea(const CRectangle& rect) override;
    void invalidateAll() override;
    void setBounds(const CRectangle& rect, bool markDirty) override;
    VSTGUIEditorInterface* getEditorInterface() const override;
    bool isKindOf(const char* className) const override;
    bool removeChild(CView* view, bool releaseCallers) override;
    bool removeAllChildren(bool releaseCallers) override;
    CView* viewUnderMouse() override;

    virtual bool windowOpenState() const;
    virtual void idleRefresh();
    virtual void forwardIdle();
    virtual uint32_t tickCount() const;
    virtual int32_t knobMode() const;
    virtual bool makeModal(CView* view);
    virtual CView* modalChild() const;
    virtual void startParameterEdit(int32_t index);
    virtual void finishParameterEdit(int32_t index);
    virtual bool getMouseLocation(CPosition& where) const;
    virtual void moveFocusTo(CView* view);
    virtual CView* focusedView() const;
    virtual void forgetView(CView* view);
    virtual void setWindowOpen(bool open);
    virtual bool isWindowOpen() const;
    virtual void markDirtyInArea(const CRectangle& rect);
    virtual bool currentMouseLocation(CPosition& where) const;

    // A context on the frame window; the caller releases it.
    CDrawContext* newDrawContext();
    HWND__* getWindow() const { return window; }
    CView* mouseOverView() const { return mouseOver; }

protected:
    VSTGUIEditorInterface* editor = nullptr;
    HWND__* parentWindow = nullptr;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    CView* mouseOver = nullptr;
    bool windowOpen = true;
    HWND__* window = nullptr;
};

}  // namespace VSTGUI
