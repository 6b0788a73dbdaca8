// Shell context menus of items and their commands by verb, the Send To submenu that the
// controls fill themselves when the shell does not, and the folders and drop targets of items
// named by absolute PIDLs.
#pragma once

#include <functional>
#include <vector>

#include "UiShellIntf.h"
#include "cl_controls.h"
#include "cl_lists.h"

// The shell's commands in a context menu built here; the control's own items use 1 to 999.
constexpr UINT kShellFirstCommand = 1000;
constexpr UINT kShellLastCommand = 0x7FFF;

using TUiShPopupHintEvent = std::function<void(TObject* sender, const AnsiString& hint)>;

// The shell's context menu of the folder's items, filled into a new popup menu. A failure of
// the folder is answered (both outputs null); a failure to fill the menu raises EOleSysError.
HRESULT CreateItemContextMenu(HWND owner, IShellFolder_NRC* folder, UINT count,
                              LPCITEMIDLIST* items, IContextMenu_NRC*& contextMenu, HMENU& menu,
                              UINT flags, UINT firstCommand);
// The offset of the top-level command with the verb (any letter case); 0 when none has it.
UINT FindVerbCommand(IContextMenu_NRC* contextMenu, const AnsiString& verb);
HRESULT InvokeItemCommand(HWND owner, IContextMenu_NRC* contextMenu, UINT offset);
HRESULT InvokeItemCommand(HWND owner, IContextMenu_NRC* contextMenu, const char* verb);

// The menu messages of a control whose context menu is open; none lets an exception out.
void HandleInitMenuPopup(TMessage& message, IContextMenu_NRC* contextMenu);
void HandleDrawItem(TMessage& message, IContextMenu_NRC* contextMenu, HIMAGELIST images);
void HandleMeasureItem(TMessage& message, IContextMenu_NRC* contextMenu);
void HandleMenuChar(TMessage& message, IContextMenu_NRC* contextMenu);
void HandleMenuSelect(TMessage& message, IContextMenu_NRC* contextMenu, TObject* control,
                      const TUiShPopupHintEvent& onPopupHint);

// The files of the user's Send To folder seen so far (names with extension, sorted), each with
// its small system icon index (-1: none) as object; null until a Send To menu needs it.
TStringList* SendToList();
// Adds the folder's files matching the patterns that are neither folders nor hidden.
void ScanSendToFolder(const AnsiString& folder, const std::vector<AnsiString>& patterns);
// Drops the data on the Send To item of that name, as a copy. Raises EOleSysError.
void SendToTarget(const AnsiString& fileName, IDataObject_NRC* data);

// The folder holding the item, the folder's absolute PIDL (null for the desktop) and the
// item's last element; the desktop itself stands for its file-system directory. The caller
// releases the folder and frees both lists.
HRESULT SplitItemIdList(LPCITEMIDLIST pidl, IShellFolder_NRC*& folder, LPITEMIDLIST& parent,
                        LPITEMIDLIST& last);
HRESULT GetItemDropTarget(LPCITEMIDLIST pidl, REFIID iid, void** object);
// The drop target of the desktop's file-system directory.
HRESULT GetDesktopDropTarget(IDropTarget_NRC*& target);
// The desktop directory's parent list and last element, for the caller to free.
void SplitDesktopDirectory(LPITEMIDLIST& parent, LPITEMIDLIST& last);
// Copy, move and link as far as the dragged shell items allow them; all three for data
// without shell items. Raises EOleSysError when the items' folder cannot be asked.
DWORD GetDataObjectDropEffects(IDataObject_NRC* data);
