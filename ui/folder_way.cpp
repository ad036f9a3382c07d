#include "ui/folder_way.h"

#include "framework/com_ptr.h"
#include "framework/file_names.h"
#include "framework/handle.h"
#include "ui/id_list.h"

#include <ole2.h>
#include <process.h>

namespace {
void FindWay(WayRequest& request) {
    FolderWay& way = request.way;
    const DWORD attributes = files::Attributes(way.path);
    way.isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    CComPtr<IShellFolder> desktop;
    if (!way.isFolder || FAILED(request.shell.getDesktopFolder(desktop.Receive())) || !desktop)
        return;
    CStringW name(way.path); // the shell wants to write into it
    ULONG eaten = 0;
    LPITEMIDLIST parsed = nullptr;
    if (FAILED(desktop->ParseDisplayName(request.owner, nullptr, name.GetBuffer(name.GetLength()), &eaten,
                                         &parsed, nullptr)))
        parsed = nullptr;
    const CIdList list(request.malloc, parsed);
    // Each level's path is that of the list up to it: the list cut behind its element.
    std::vector<BYTE> upTo;
    for (LPCITEMIDLIST element = list.Get(); element && element->mkid.cb > 0;) {
        const auto* bytes = reinterpret_cast<const BYTE*>(element);
        FolderWayStep step;
        step.element.assign(bytes, bytes + element->mkid.cb);
        upTo.insert(upTo.end(), step.element.begin(), step.element.end());
        std::vector<BYTE> cut(upTo);
        cut.resize(cut.size() + sizeof(USHORT), 0);
        step.path = files::PathOfIdList(reinterpret_cast<LPCITEMIDLIST>(cut.data()));
        element = reinterpret_cast<LPCITEMIDLIST>(bytes + element->mkid.cb);
        way.steps.push_back(std::move(step));
    }
}

unsigned __stdcall WayThread(void* param) {
    const std::unique_ptr<WayRequest> request(static_cast<WayRequest*>(param));
    const HRESULT ole = ::OleInitialize(nullptr);
    FindWay(*request);
    if (SUCCEEDED(ole))
        ::OleUninitialize();
    request->channel->Deliver(std::move(request->way));
    return 0;
}
} // namespace

bool StartFolderWay(std::unique_ptr<WayRequest> request) {
    unsigned id = 0;
    const CHandle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &WayThread, request.get(), 0, &id)));
    if (!thread)
        return false;
    static_cast<void>(request.release()); // the thread's now
    return true;
}
