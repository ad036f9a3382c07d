#include "shell_doubles.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>

CountingMalloc::CountingMalloc() {
    ::SHGetMalloc(&inner);
}

CountingMalloc::~CountingMalloc() {
    if (inner)
        inner->Release();
}

namespace {
// QueryInterface of an object whose only interface (besides IUnknown) is `own`.
template <class I> HRESULT Answer(I* object, REFIID own, REFIID iid, void** out) {
    *out = iid == IID_IUnknown || iid == own ? object : nullptr;
    if (!*out)
        return E_NOINTERFACE;
    object->AddRef();
    return S_OK;
}
} // namespace

HRESULT CountingMalloc::QueryInterface(REFIID iid, void** out) {
    return Answer<IMalloc>(this, IID_IMalloc, iid, out);
}

void* CountingMalloc::Alloc(SIZE_T size) {
    CLock hold(lock);
    if (failAllocations)
        return nullptr;
    void* block = inner->Alloc(size);
    if (block) {
        ++allocations;
        live.insert(block);
    }
    return block;
}

void* CountingMalloc::Realloc(void* block, SIZE_T size) {
    CLock hold(lock);
    void* moved = inner->Realloc(block, size);
    if (moved && live.erase(block))
        live.insert(moved);
    return moved;
}

void CountingMalloc::Free(void* block) {
    if (!block)
        return;
    CLock hold(lock);
    if (live.erase(block))
        ++ownFrees;
    else
        ++foreignFrees;
    inner->Free(block);
}

WrappedFolder::WrappedFolder(IShellFolder* inner, std::string path, FolderHooks* hooks)
    : m_inner(inner), m_path(std::move(path)), m_hooks(hooks) {
    ::InterlockedIncrement(&m_hooks->liveFolders);
}

WrappedFolder::~WrappedFolder() {
    ::InterlockedDecrement(&m_hooks->liveFolders);
    m_inner->Release();
}

HRESULT WrappedFolder::QueryInterface(REFIID iid, void** out) {
    return Answer<IShellFolder>(this, IID_IShellFolder, iid, out);
}

ULONG WrappedFolder::Release() {
    const LONG left = --m_references;
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT WrappedFolder::EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** out) {
    m_hooks->enumerated.push_back(m_path);
    if (m_hooks->holdEnumeration)
        ::WaitForSingleObject(m_hooks->holdEnumeration, 10000);
    return m_inner->EnumObjects(owner, flags, out);
}

HRESULT WrappedFolder::BindToObject(LPCITEMIDLIST list, IBindCtx* bind, REFIID iid, void** out) {
    *out = nullptr;
    char path[MAX_PATH] = "";
    ::SHGetPathFromIDListA(list, path);
    if (!m_hooks->failBindPath.empty() && lstrcmpiA(path, m_hooks->failBindPath.c_str()) == 0)
        return E_FAIL;
    IShellFolder* folder = nullptr;
    const HRESULT hr = m_inner->BindToObject(list, bind, IID_IShellFolder, reinterpret_cast<void**>(&folder));
    if (FAILED(hr) || !folder)
        return FAILED(hr) ? hr : E_FAIL;
    auto* wrapped = new WrappedFolder(folder, path, m_hooks);
    const HRESULT got = wrapped->QueryInterface(iid, out);
    wrapped->Release();
    return got;
}

HRESULT WrappedFolder::CompareIDs(LPARAM column, LPCITEMIDLIST first, LPCITEMIDLIST second) {
    m_hooks->comparedFirst = first;
    m_hooks->comparedSecond = second;
    if (m_hooks->overrideCompare)
        return m_hooks->compareResult;
    const HRESULT hr = m_inner->CompareIDs(column, first, second);
    if (FAILED(hr) || !m_hooks->reverseOrder)
        return hr;
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<USHORT>(-static_cast<short>(HRESULT_CODE(hr))));
}

HRESULT WrappedFolder::GetAttributesOf(UINT count, LPCITEMIDLIST* lists, SFGAOF* attributes) {
    const SFGAOF asked = *attributes;
    const HRESULT hr = m_inner->GetAttributesOf(count, lists, attributes);
    if (FAILED(hr) || count != 1 || (m_hooks->removablePath.empty() && m_hooks->leafPath.empty()))
        return hr;
    STRRET name{};
    char path[MAX_PATH] = "";
    if (FAILED(m_inner->GetDisplayNameOf(lists[0], SHGDN_FORPARSING, &name)) ||
        FAILED(::StrRetToBufA(&name, lists[0], path, MAX_PATH)))
        return hr;
    if (lstrcmpiA(path, m_hooks->leafPath.c_str()) == 0)
        *attributes &= ~SFGAO_HASSUBFOLDER;
    if (lstrcmpiA(path, m_hooks->removablePath.c_str()) == 0) {
        if (asked & SFGAO_HASSUBFOLDER)
            ++m_hooks->removableSubfolderQuestions;
        *attributes = (*attributes | (asked & SFGAO_REMOVABLE)) & ~SFGAO_HASSUBFOLDER;
    }
    return hr;
}

HRESULT WrappedFolder::GetDisplayNameOf(LPCITEMIDLIST list, SHGDNF flags, STRRET* name) {
    using Names = FolderHooks::Names;
    if (m_hooks->names == Names::Real)
        return m_inner->GetDisplayNameOf(list, flags, name);
    if (m_hooks->names == Names::Fail)
        return E_FAIL;

    STRRET real{};
    HRESULT hr = m_inner->GetDisplayNameOf(list, flags, &real);
    if (FAILED(hr))
        return hr;
    char text[MAX_PATH] = "";
    ::StrRetToBufA(&real, list, text, MAX_PATH);
    std::memset(name, 0, sizeof(*name));
    switch (m_hooks->names) {
    case Names::Wide: {
        name->uType = STRRET_WSTR;
        const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        name->pOleStr = static_cast<LPWSTR>(::CoTaskMemAlloc(sizeof(WCHAR) * static_cast<size_t>(length)));
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, name->pOleStr, length);
        return S_OK;
    }
    case Names::Offset: {
        // The shell's file items hold their narrow name inside; point at it.
        const auto* bytes = reinterpret_cast<const char*>(list);
        const size_t size = list->mkid.cb;
        const size_t length = std::strlen(text) + 1;
        const char* found = std::search(bytes, bytes + size, text, text + length);
        if (found == bytes + size)
            return E_FAIL;
        name->uType = STRRET_OFFSET;
        name->uOffset = static_cast<UINT>(found - bytes);
        ++m_hooks->offsetNamesServed;
        return S_OK;
    }
    case Names::Text:
        name->uType = STRRET_CSTR;
        lstrcpynA(name->cStr, text, MAX_PATH);
        return S_OK;
    default:
        name->uType = 7; // no such kind
        return S_OK;
    }
}

namespace {
CountingMalloc* g_malloc = nullptr;
FolderHooks* g_hooks = nullptr;

HRESULT WINAPI GetDesktopDouble(IShellFolder** out) {
    *out = nullptr;
    if (!g_hooks)
        return E_FAIL;
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)))
        return E_FAIL;
    *out = new WrappedFolder(desktop, "", g_hooks);
    return S_OK;
}

HRESULT WINAPI GetMallocDouble(IMalloc** out) {
    *out = nullptr;
    if (!g_malloc)
        return E_OUTOFMEMORY;
    g_malloc->AddRef();
    *out = g_malloc;
    return S_OK;
}
} // namespace

ShellSourceOverride::ShellSourceOverride(CountingMalloc* malloc, FolderHooks* hooks)
    : m_saved(g_shellSource) {
    g_malloc = malloc;
    g_hooks = hooks;
    g_shellSource = {&GetDesktopDouble, &GetMallocDouble};
}

ShellSourceOverride::~ShellSourceOverride() {
    g_shellSource = m_saved;
    g_malloc = nullptr;
    g_hooks = nullptr;
}
