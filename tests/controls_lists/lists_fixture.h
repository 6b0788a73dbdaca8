// A shown form for the combo boxes, an INI-file settings store in the temporary folder, and
// the dropped list's selection and close-up driven as a user does it.
#pragma once

#include "../controls_edits/edit_fixture.h"
#include "UiCustomComboBox.h"
#include "UiRegIniFile.h"

class ListsFormTest : public EditFormTest {
protected:
    void TearDown() override {
        EditFormTest::TearDown();
        if (!storePath.IsEmpty()) DeleteFileA(storePath.c_str());
    }
    TUiRegIniFile* IniStore(const char* name) {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        storePath = AnsiString(dir) + name;
        DeleteFileA(storePath.c_str());
        auto* store = new TUiRegIniFile(form);
        store->SetPathType(ptIniFile);
        store->SetPath(storePath);
        return store;
    }
    // Drops the list, moves its selection to `index` and closes it as Enter or Escape does.
    static void ChooseInList(TCustomComboBox* combo, int index, bool confirm = true) {
        SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        Pump();
        HWND list = combo->ListHandle();
        SendMessageA(list, LB_SETCURSEL, index, 0);
        SendMessageA(list, LB_SETCARETINDEX, index, 0);
        PostKey(combo->Handle(), confirm ? VK_RETURN : VK_ESCAPE);
        Pump();
    }
    AnsiString storePath;
};
