#include "platform/com/Stream.h"

#include "platform/com/RefCounted.h"

#include <algorithm>
#include <new>

namespace platform::com {

namespace {

class MemoryStream final : public RefCounted<MemoryStream, IStream> {
public:
    static bool answers(REFIID riid) { return riid == IID_ISequentialStream || riid == IID_IStream; }
    explicit MemoryStream(std::vector<BYTE> bytes) : m_bytes(std::move(bytes)) {}


    HRESULT Read(void* buffer, ULONG size, ULONG* read) override
    {
        if (!buffer && size)
            return E_POINTER;
        const std::size_t left = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
        const ULONG n = static_cast<ULONG>(std::min<std::size_t>(size, left));
        if (n)
            std::memcpy(buffer, m_bytes.data() + m_position, n);
        m_position += n;
        if (read)
            *read = n;
        return n == size ? S_OK : S_FALSE;
    }
    HRESULT Write(const void* buffer, ULONG size, ULONG* written) override
    {
        if (!buffer && size)
            return E_POINTER;
        try {
            if (m_bytes.size() < m_position + size)
                m_bytes.resize(m_position + size);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        if (size)
            std::memcpy(m_bytes.data() + m_position, buffer, size);
        m_position += size;
        if (written)
            *written = size;
        return S_OK;
    }
    HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override
    {
        const std::int64_t base = origin == STREAM_SEEK_SET ? 0
            : origin == STREAM_SEEK_CUR                     ? static_cast<std::int64_t>(m_position)
            : origin == STREAM_SEEK_END                     ? static_cast<std::int64_t>(m_bytes.size())
                                                            : -1;
        if (base < 0)
            return STG_E_INVALIDFUNCTION;
        const std::int64_t target = base + move.QuadPart;
        if (target < 0)
            return STG_E_INVALIDFUNCTION;
        m_position = static_cast<std::size_t>(target);
        if (position)
            position->QuadPart = m_position;
        return S_OK;
    }
    HRESULT SetSize(ULARGE_INTEGER size) override
    {
        try {
            m_bytes.resize(static_cast<std::size_t>(size.QuadPart));
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }
    HRESULT CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT Commit(DWORD) override { return S_OK; }
    HRESULT Revert() override { return S_OK; }
    HRESULT LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT Stat(STATSTG* stat, DWORD) override
    {
        if (!stat)
            return E_POINTER;
        *stat = STATSTG{};
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = m_bytes.size();
        return S_OK;
    }
    HRESULT Clone(IStream** clone) override
    {
        if (clone)
            *clone = nullptr;
        return E_NOTIMPL;
    }

private:
    friend RefCounted;
    ~MemoryStream() = default;

    std::vector<BYTE> m_bytes;
    std::size_t m_position = 0;
};

} // namespace

HRESULT createMemoryStream(const std::vector<BYTE>& bytes, IStream** out)
{
    if (!out)
        return E_POINTER;
    try {
        *out = new MemoryStream(bytes);
    } catch (const std::bad_alloc&) {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT streamBytes(IStream& stream, std::vector<BYTE>& bytes)
{
    STATSTG stat{};
    HRESULT hr = stream.Stat(&stat, STATFLAG_NONAME);
    if (FAILED(hr))
        return hr;
    hr = stream.Seek(LARGE_INTEGER{0}, STREAM_SEEK_SET, nullptr);
    if (FAILED(hr))
        return hr;
    try {
        bytes.resize(static_cast<std::size_t>(stat.cbSize.QuadPart));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    ULONG read = 0;
    hr = stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    if (FAILED(hr))
        return hr;
    return read == bytes.size() ? S_OK : STG_E_READFAULT;
}

} // namespace platform::com
