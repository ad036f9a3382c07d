// Stand-ins for the shell's allocator and desktop folder that forward to the real ones, so that a
// test sees what a folder tree allocates, frees, binds and enumerates, and can make the shell fail.
#pragma once

#include "framework/critical_section.h"
#include "ui/shell_source.h"

#include <set>
#include <string>
#include <vector>

// The shell's task allocator, counted. Lives on the test's stack: references are only counted.
// Branches are filled on threads of their own: the blocks are counted under a lock.
class CountingMalloc : public IMalloc {
public:
    CountingMalloc();
    ~CountingMalloc();

    IMalloc* inner = nullptr;
    bool failAllocations = false;
    int allocations = 0;  // blocks handed out by Alloc
    int ownFrees = 0;     // frees of blocks that Alloc handed out
    int foreignFrees = 0; // frees of blocks the shell allocated (enumerated items, names)
    std::set<void*> live; // blocks from Alloc not yet freed
    LONG references = 0;  // references handed out and not yet released
    CCriticalSection lock;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    void* STDMETHODCALLTYPE Alloc(SIZE_T size) override;
    void* STDMETHODCALLTYPE Realloc(void* block, SIZE_T size) override;
    void STDMETHODCALLTYPE Free(void* block) override;
    SIZE_T STDMETHODCALLTYPE GetSize(void* block) override { return inner->GetSize(block); }
    int STDMETHODCALLTYPE DidAlloc(void* block) override { return inner->DidAlloc(block); }
    void STDMETHODCALLTYPE HeapMinimize() override { inner->HeapMinimize(); }
};

// What the wrapped folders do and saw; shared by the desktop and every folder bound from it.
struct FolderHooks {
    enum class Names { Real, Wide, Offset, Text, Fail, UnknownKind };
    Names names = Names::Real;
    std::string failBindPath;            // binding to this path fails
    std::vector<std::string> enumerated; // the path of each enumerated folder ("" the desktop)
    int offsetNamesServed = 0;           // names given as an offset into the item
    bool reverseOrder = false;           // CompareIDs answers the other way round
    bool overrideCompare = false;        // CompareIDs answers compareResult instead
    HRESULT compareResult = S_OK;
    LPCITEMIDLIST comparedFirst = nullptr; // the arguments of the last CompareIDs
    LPCITEMIDLIST comparedSecond = nullptr;
    std::string removablePath;           // this item reports removable media and no sub-folders
    std::string leafPath;                // this item reports no sub-folders
    int removableSubfolderQuestions = 0; // times the removable item was asked about sub-folders
    LONG liveFolders = 0;                // wrappers not yet released (counted from any thread)
    HANDLE holdEnumeration = nullptr;    // while not set, enumerations wait for it (10 s at most)
};

class WrappedFolder final : public IShellFolder {
public:
    WrappedFolder(IShellFolder* inner, std::string path, FolderHooks* hooks);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_references); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND owner, IBindCtx* bind, LPWSTR name, ULONG* eaten,
                                               LPITEMIDLIST* list, ULONG* attributes) override {
        return m_inner->ParseDisplayName(owner, bind, name, eaten, list, attributes);
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** out) override;
    HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST list, IBindCtx* bind, REFIID iid,
                                           void** out) override;
    HRESULT STDMETHODCALLTYPE BindToStorage(LPCITEMIDLIST list, IBindCtx* bind, REFIID iid,
                                            void** out) override {
        return m_inner->BindToStorage(list, bind, iid, out);
    }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM column, LPCITEMIDLIST first, LPCITEMIDLIST second) override;
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND owner, REFIID iid, void** out) override {
        return m_inner->CreateViewObject(owner, iid, out);
    }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT count, LPCITEMIDLIST* lists, SFGAOF* attributes) override;
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* lists, REFIID iid,
                                            UINT* reserved, void** out) override {
        return m_inner->GetUIObjectOf(owner, count, lists, iid, reserved, out);
    }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST list, SHGDNF flags, STRRET* name) override;
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND owner, LPCITEMIDLIST list, LPCWSTR name, SHGDNF flags,
                                        LPITEMIDLIST* out) override {
        return m_inner->SetNameOf(owner, list, name, flags, out);
    }

private:
    ~WrappedFolder();
    IShellFolder* m_inner;
    std::string m_path;
    FolderHooks* m_hooks;
    LONG m_references = 1;
};

// Points g_shellSource at these doubles for its lifetime. A null allocator or hooks object makes
// that acquisition fail.
class ShellSourceOverride {
public:
    ShellSourceOverride(CountingMalloc* malloc, FolderHooks* hooks);
    ~ShellSourceOverride();
    ShellSourceOverride(const ShellSourceOverride&) = delete;
    ShellSourceOverride& operator=(const ShellSourceOverride&) = delete;

private:
    ShellSource m_saved;
};
