// A folder tree made for a test in the temporary folder (files, subfolders) and removed after
// it, PIDL helpers (guards, synthetic lists from item bytes, the bytes of a list) and a folder
// of our own.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "UiShellUtils.h"
#include "cl_sys.h"

// A shell-allocated PIDL freed at the end of the scope.
class PidlHolder {
public:
    PidlHolder() = default;
    explicit PidlHolder(LPITEMIDLIST pidl) : pidl_(pidl) {}
    PidlHolder(const PidlHolder&) = delete;
    PidlHolder& operator=(const PidlHolder&) = delete;
    ~PidlHolder() { ShellMemFree(pidl_); }
    LPITEMIDLIST& Out() { return pidl_; }
    LPITEMIDLIST Get() const { return pidl_; }
    operator LPITEMIDLIST() const { return pidl_; }

private:
    LPITEMIDLIST pidl_ = nullptr;
};

// A PIDL made of items with the given data bytes (each item's count added in front).
inline LPITEMIDLIST MakeIdList(std::initializer_list<std::vector<BYTE>> items) {
    std::vector<BYTE> bytes;
    for (const auto& item : items) {
        const USHORT count = static_cast<USHORT>(item.size() + 2);
        bytes.push_back(count & 0xFF);
        bytes.push_back(count >> 8);
        bytes.insert(bytes.end(), item.begin(), item.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    void* pidl = ShellMemAlloc(static_cast<ULONG>(bytes.size()));
    memcpy(pidl, bytes.data(), bytes.size());
    return static_cast<LPITEMIDLIST>(pidl);
}

inline std::vector<BYTE> IdListBytes(LPCITEMIDLIST pidl) {
    const BYTE* p = reinterpret_cast<const BYTE*>(pidl);
    return std::vector<BYTE>(p, p + IdListLen(pidl));
}

inline void WriteTextFile(const AnsiString& fileName, const std::string& text) {
    WriteFileWhole(fileName, text.data(), text.size());
}

// Removes a folder and everything in it.
inline void RemoveTree(const AnsiString& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const AnsiString name = found.cFileName;
            if (name == "." || name == "..") continue;
            const AnsiString path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// A fresh folder "ShellTree<n>" in the temporary folder holding "Sub\Inner", "a.txt" and
// "b.dat"; Path() has no trailing backslash.
class ShellTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root = ExcludeTrailingPathDelimiter(AnsiString(temp)) + "\\ShellTree" +
               AnsiString(std::to_string(GetCurrentProcessId()).c_str());
        RemoveTree(root);
        ASSERT_TRUE(ForceDirectories(root + "\\Sub\\Inner"));
        WriteTextFile(root + "\\a.txt", "alpha");
        WriteTextFile(root + "\\b.dat", std::string(1025, 'b'));
    }
    void TearDown() override { RemoveTree(root); }
    AnsiString Path(const char* relative = nullptr) const {
        return relative ? root + "\\" + relative : root;
    }
    // The absolute PIDL of a path below the tree; fails the test when it does not parse.
    LPITEMIDLIST Parse(const AnsiString& path) const {
        LPITEMIDLIST pidl = nullptr;
        EXPECT_EQ(S_OK, ShellGetIdListFromPath(path, pidl)) << path.c_str();
        return pidl;
    }

    AnsiString root;
};

// A folder of ours with four columns of which the third is not shown by default, and no items:
// binding to one fails. Counts references.
class TColumnsFolder : public IShellFolder2_NRC {
public:
    LONG references = 1;
    bool offersFolder2 = true;
    int viewObjectRequests = 0;
    // What GetUIObjectOf answers with, when set.
    IUnknown* uiObject = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IShellFolder ||
            (offersFolder2 && iid == IID_IShellFolder2)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*,
                                               ULONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID,
                                           void** object) override {
        *object = nullptr;
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID,
                                            void**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void** object) override {
        ++viewObjectRequests;
        *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID iid, UINT*,
                                            void** object) override {
        *object = nullptr;
        return uiObject ? uiObject->QueryInterface(iid, object) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF,
                                        PITEMID_CHILD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDefaultSearchGUID(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumSearches(IEnumExtraSearch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultColumn(DWORD, ULONG*, ULONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDefaultColumnState(UINT column, SHCOLSTATEF* state) override {
        if (column >= 4) return E_INVALIDARG;
        *state = SHCOLSTATE_TYPE_STR | (column == 2 ? 0 : SHCOLSTATE_ONBYDEFAULT);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDetailsEx(PCUITEMID_CHILD, const SHCOLUMNID*,
                                           VARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDetailsOf(PCUITEMID_CHILD, UINT column,
                                           SHELLDETAILS* details) override {
        if (column >= 4) return E_FAIL;
        details->fmt = LVCFMT_LEFT;
        details->cxChar = 10;
        details->str.uType = STRRET_CSTR;
        details->str.cStr[0] = static_cast<char>('A' + column);
        details->str.cStr[1] = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE MapColumnToSCID(UINT, SHCOLUMNID*) override { return E_NOTIMPL; }
};
