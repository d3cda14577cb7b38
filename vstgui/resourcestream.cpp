#include "vstgui/platform/resourcestream.h"

#include <cstring>

namespace VSTGUI {

HRESULT STDMETHODCALLTYPE ResourceStream::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) ||
        IsEqualIID(riid, IID_IStream)) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ResourceStream::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&referenceCount));
}

ULONG STDMETHODCALLTYPE ResourceStream::Release() {
    LONG count = InterlockedDecrement(&referenceCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

// All or nothing: a read that would run past the end reads nothing.
HRESULT STDMETHODCALLTYPE ResourceStream::Read(void* buffer, ULONG count, ULONG* read) {
    if (uint64_t(position) + count > size) return S_FALSE;
    if (count) {
        if (!buffer) return STG_E_INVALIDPOINTER;
        std::memcpy(buffer, data + position, count);
    }
    position += count;
    if (read) *read = count;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Write(const void*, ULONG, ULONG*) { return E_NOTIMPL; }

// Only positions inside the data are reachable; seeking from the end is not
// offered.
HRESULT STDMETHODCALLTYPE ResourceStream::Seek(LARGE_INTEGER offset, DWORD origin,
                                               ULARGE_INTEGER* newPosition) {
    int64_t target;
    switch (origin) {
        case STREAM_SEEK_SET:
            target = offset.QuadPart;
            break;
        case STREAM_SEEK_CUR:
            target = int64_t(position) + offset.QuadPart;
            break;
        case STREAM_SEEK_END:
            return S_FALSE;
        default:
            return STG_E_INVALIDFUNCTION;
    }
    if (target < 0 || target >= int64_t(size)) return S_FALSE;
    position = static_cast<uint32_t>(target);
    if (newPosition) newPosition->QuadPart = position;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ResourceStream::SetSize(ULARGE_INTEGER) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE ResourceStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                                 ULARGE_INTEGER*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Commit(DWORD) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE ResourceStream::Revert() {
    position = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ResourceStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof(*stat));
    stat->cbSize.QuadPart = size;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Clone(IStream**) { return E_NOTIMPL; }

}  // namespace VSTGUI
