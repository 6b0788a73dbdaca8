#include "UiShellLocator.h"
#include "cl_filer.h"
#include "shell_fixture.h"
#include "stream_checks.h"

namespace {

// A locator that counts its change notifications.
class LocatorTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        locator.OnChange = [this](TObject* sender) {
            EXPECT_EQ(&locator, sender);
            ++changes;
        };
    }
    TUiShellLocator locator;
    int changes = 0;
};

TEST_F(LocatorTest, ListsNotifyOnlyWhenTheFolderChanges) {
    PidlHolder empty(MakeIdList({}));
    locator.SetIdList(nullptr);
    locator.SetIdList(empty);
    EXPECT_EQ(0, changes);
    EXPECT_EQ(nullptr, locator.GetIdList());

    PidlHolder sub(Parse(Path("Sub")));
    PidlHolder subAgain(Parse(Path("Sub")));
    locator.SetIdList(sub);
    locator.SetIdList(subAgain);
    EXPECT_EQ(1, changes);
    EXPECT_NE(sub.Get(), locator.GetIdList());
    EXPECT_EQ(csidlNone, locator.GetCSIDL());
    EXPECT_STREQ(Path("Sub").c_str(), locator.GetPathName().c_str());

    locator.SetIdList(locator.GetIdList());
    EXPECT_EQ(1, changes);
    EXPECT_STREQ(Path("Sub").c_str(), locator.GetPathName().c_str());

    locator.Clear();
    EXPECT_EQ(2, changes);
    EXPECT_EQ(nullptr, locator.GetIdList());
}

TEST_F(LocatorTest, SpecialFoldersResolveOnceAndNotifyOnSwitch) {
    locator.SetCSIDL(csidlDrives);
    EXPECT_EQ(1, changes);
    locator.SetCSIDL(csidlDrives);
    EXPECT_EQ(1, changes);
    EXPECT_EQ(useCSIDL, locator.Which());
    EXPECT_EQ(csidlDrives, locator.GetCSIDL());
    LPCITEMIDLIST resolved = locator.GetIdList();
    ASSERT_NE(nullptr, resolved);
    EXPECT_EQ(resolved, locator.GetIdList());
    EXPECT_TRUE(ShellCSIDLEqualsIdList(resolved, csidlDrives));

    PidlHolder drives;
    ASSERT_EQ(S_OK, ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.Out()));
    locator.SetIdList(drives);  // the same folder, but now by list
    EXPECT_EQ(2, changes);
    locator.SetCSIDL(csidlDrives);
    EXPECT_EQ(3, changes);
    locator.SetCSIDL(csidlPersonal);
    EXPECT_EQ(4, changes);
    EXPECT_STREQ(ShellGetSpecialFolderPath(nullptr, csidlPersonal).c_str(),
                 locator.GetPathName().c_str());
}

TEST_F(LocatorTest, PathsThatDoNotParseDesignateTheDesktop) {
    locator.SetPathName(Path("Sub\\Inner"));
    EXPECT_EQ(1, changes);
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), locator.GetPathName().c_str());
    locator.SetPathName(Path("NoSuchFolder"));
    EXPECT_EQ(2, changes);
    EXPECT_EQ(nullptr, locator.GetIdList());
    EXPECT_EQ(usePidl, locator.Which());
}

TEST_F(LocatorTest, EqualityAndAssignment) {
    TUiShellLocator other;
    EXPECT_TRUE(locator.IsEqual(&other));
    other.SetPathName(Path("Sub"));
    EXPECT_FALSE(locator.IsEqual(&other));
    locator.SetPathName(Path("Sub"));
    EXPECT_TRUE(locator.IsEqual(&other));
    other.SetCSIDL(csidlDrives);
    EXPECT_FALSE(locator.IsEqual(&other));
    EXPECT_TRUE(other.IsEqual(&other));

    changes = 0;
    locator.Assign(&other);
    EXPECT_EQ(1, changes);
    EXPECT_EQ(csidlDrives, locator.GetCSIDL());
    locator.Assign(&other);
    EXPECT_EQ(1, changes);

    locator.Assign(nullptr);  // no list resolved yet: nothing to drop
    EXPECT_EQ(1, changes);
    locator.GetIdList();
    locator.Assign(nullptr);
    EXPECT_EQ(2, changes);
    EXPECT_EQ(usePidl, locator.Which());

    TStringList notALocator;
    EXPECT_THROW(locator.Assign(&notALocator), EConvertError);
}

// The locator's properties written in a property list and read into another locator.
void CopyThroughStream(TUiShellLocator& from, TUiShellLocator& to) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WriteListBegin();
        writer.WriteProperties(&from);
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    reader.ReadListBegin();
    while (!reader.EndOfList()) reader.ReadProperty(&to);
    reader.ReadListEnd();
}

// A property list holding "Pidl" with the given bytes, read into the locator.
void ReadPidlProperty(TUiShellLocator& locator, const std::vector<BYTE>& bytes) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WriteListBegin();
        writer.WritePropName("Pidl");
        writer.WriteBinary(bytes.data(), static_cast<int>(bytes.size()));
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    reader.ReadListBegin();
    while (!reader.EndOfList()) reader.ReadProperty(&locator);
    reader.ReadListEnd();
}

TEST_F(LocatorTest, StreamsItsListOrSpecialFolder) {
    EXPECT_FALSE(WritesProperty(WrittenProperties(&locator), "Pidl"));

    locator.SetPathName(Path("Sub\\Inner"));
    TUiShellLocator copy;
    int copyChanges = 0;
    copy.OnChange = [&](TObject*) { ++copyChanges; };
    CopyThroughStream(locator, copy);
    EXPECT_TRUE(copy.IsEqual(&locator));
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), copy.GetPathName().c_str());

    locator.SetCSIDL(csidlFonts);
    CopyThroughStream(locator, copy);
    EXPECT_EQ(useCSIDL, copy.Which());
    EXPECT_EQ(csidlFonts, copy.GetCSIDL());
    EXPECT_EQ(0, copyChanges);
}

TEST_F(LocatorTest, StoredBytesAndAnEmptyStoredList) {
    PidlHolder item(MakeIdList({{1, 2}}));
    locator.SetIdList(item);  // a made-up list is stored as it is
    const AnsiString written = WrittenProperties(&locator);
    const std::string expected("\x00\x06\x00\x00\x00\x04\x00\x01\x02\x00\x00", 11);
    EXPECT_NE(std::string::npos, written.str().find(expected));

    ReadPidlProperty(locator, {0, 0, 0, 0, 0});
    EXPECT_EQ(useCSIDL, locator.Which());
    EXPECT_EQ(csidlDesktop, locator.GetCSIDL());
    EXPECT_EQ(1, changes);
}

TEST_F(LocatorTest, ReadingASpecialFolderDropsTheResolvedListOfTheOldOne) {
    locator.SetCSIDL(csidlPersonal);
    locator.GetIdList();
    ReadPidlProperty(locator, {1, csidlDrives});
    EXPECT_EQ(csidlDrives, locator.GetCSIDL());
    EXPECT_TRUE(ShellCSIDLEqualsIdList(locator.GetIdList(), csidlDrives));
}

TEST_F(LocatorTest, MalformedStoredListsAreRefused) {
    locator.SetPathName(Path("Sub"));
    const std::vector<std::vector<BYTE>> malformed{
        {0, 6, 0, 0, 0, 9, 0, 1, 2, 0, 0},  // item count beyond the stored length
        {0, 4, 0, 0, 0, 1, 0, 0, 0},        // count below the count field itself
        {0, 4, 0, 0, 0, 4, 0, 1, 2},        // no terminator
        {0, 200, 0, 0, 0, 0, 0},            // length beyond the property
        {1, 51},                            // no such special folder
    };
    for (const auto& bytes : malformed)
        EXPECT_THROW(ReadPidlProperty(locator, bytes), EReadError);
    EXPECT_STREQ(Path("Sub").c_str(), locator.GetPathName().c_str());
}

// A component that keeps a folder, as the shell controls keep theirs.
class TFolderHolder : public TComponent {
    CL_COMPONENT_CLASS(TFolderHolder, TComponent)

    explicit TFolderHolder(TComponent* owner) : TComponent(owner) {}
    TUiShellLocator* Folder() { return &folder_; }

protected:
    ~TFolderHolder() override = default;

private:
    TUiShellLocator folder_;
};

const bool holderRegistered = [] {
    RegisterProperty(TFolderHolder::StaticClass(),
                     SubObjectProperty<TFolderHolder>("Folder", &TFolderHolder::Folder));
    RegisterClasses({TFolderHolder::StaticClass()});
    return true;
}();

TEST_F(ShellTreeTest, LocatorsRoundTripThroughAFormStream) {
    TForm* form = new TForm(nullptr);
    form->SetName("ShellForm");
    auto* byList = new TFolderHolder(form);
    byList->SetName("ByList");
    byList->Folder()->SetPathName(Path("Sub"));
    auto* bySpecialFolder = new TFolderHolder(form);
    bySpecialFolder->SetName("BySpecialFolder");
    bySpecialFolder->Folder()->SetCSIDL(csidlPersonal);
    auto* desktop = new TFolderHolder(form);
    desktop->SetName("Desktop");

    TForm* copy = CopyOfForm(form);
    const auto folderOf = [&](const char* name) {
        return static_cast<TFolderHolder*>(copy->FindComponent(name))->Folder();
    };
    EXPECT_STREQ(Path("Sub").c_str(), folderOf("ByList")->GetPathName().c_str());
    EXPECT_EQ(csidlPersonal, folderOf("BySpecialFolder")->GetCSIDL());
    EXPECT_EQ(usePidl, folderOf("Desktop")->Which());
    EXPECT_EQ(nullptr, folderOf("Desktop")->GetIdList());
    copy->Free();
    form->Free();
}

TEST_F(ShellTreeTest, FolderDetailsOfARealFolder) {
    PidlHolder pidl(Parse(Path()));
    IShellFolder_NRC* folder = nullptr;
    ASSERT_EQ(S_OK, ShellGetFolderFromIdList(pidl, folder));
    IShellDetails_NRC* details = GetFolderShellDetails(folder);
    ASSERT_NE(nullptr, details);
    SHELLDETAILS header{};
    ASSERT_EQ(S_OK, details->GetDetailsOf(nullptr, 0, &header));
    EXPECT_FALSE(StrretToString(nullptr, header.str).IsEmpty());
    StrretFree(header.str);
    details->Release();
    folder->Release();
}

TEST(FolderDetailsAdapter, ColumnsEndAtTheFirstNotShownByDefault) {
    TColumnsFolder folder;
    IShellDetails_NRC* details = GetFolderShellDetails(&folder);
    ASSERT_NE(nullptr, details);
    EXPECT_EQ(2, folder.references);  // the adapter holds the folder
    std::string columns;
    SHELLDETAILS column{};
    for (UINT i = 0; details->GetDetailsOf(nullptr, i, &column) == S_OK; ++i)
        columns += StrretToString(nullptr, column.str).c_str();
    EXPECT_EQ("AB", columns);
    EXPECT_EQ(E_INVALIDARG, details->GetDetailsOf(nullptr, 2, &column));
    EXPECT_EQ(S_OK, details->GetDetailsOf(nullptr, 3, &column));
    EXPECT_EQ(E_NOTIMPL, details->ColumnClick(0));
    void* other = &folder;
    EXPECT_EQ(E_NOINTERFACE, details->QueryInterface(IID_IShellFolder, &other));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(0u, details->Release());
    EXPECT_EQ(1, folder.references);
}

TEST(FolderDetailsAdapter, FoldersWithoutTheNewerInterfaceAskForAViewObject) {
    TColumnsFolder folder;
    folder.offersFolder2 = false;
    EXPECT_EQ(nullptr, GetFolderShellDetails(&folder));
    EXPECT_EQ(1, folder.viewObjectRequests);
    EXPECT_EQ(1, folder.references);
}

}  // namespace
