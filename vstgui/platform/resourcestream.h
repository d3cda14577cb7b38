// A read-only COM stream over the bytes of a module resource, from which
// GDI+ decodes images. The resource memory belongs to the module; the stream
// lives while the loader or the decoder holds a reference, and its count may
// change on a decoder's thread.
#pragma once

#include <cstdint>

#include "vstgui/platform/gdiplusapi.h"

namespace VSTGUI {

class ResourceStream final : public IStream {
public:
    // One reference, for the creator.
    ResourceStream() = default;
    void attach(const void* bytes, uint32_t byteCount) {
        data = static_cast<const uint8_t*>(bytes);
        size = byteCount;
        position = 0;
    }
    uint32_t getPosition() const { return position; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* written) override;

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER offset, DWORD origin,
                                   ULARGE_INTEGER* newPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER newSize) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                         DWORD lockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                           DWORD lockType) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override;

private:
    ~ResourceStream() = default;

    const uint8_t* data = nullptr;
    uint32_t position = 0;
    uint32_t size = 0;
    volatile LONG referenceCount = 1;
};

}  // namespace VSTGUI
