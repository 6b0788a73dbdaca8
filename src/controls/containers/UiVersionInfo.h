// The version information of a program file (the running program's by default) read into ten
// text fields, and the status pane that shows one of them behind a label.
#pragma once

#include <vector>

#include "UiStatusPane.h"
#include "cl_lists.h"

enum TUiVersionInfoField {
    vifCompanyName, vifFileDescription, vifFileVersion, vifInternalName, vifCopyright,
    vifTrademarks, vifOriginalFilename, vifProductName, vifProductVersion, vifComments
};

class TUiVersionInfoStatus;

class TUiVersionInfo : public TComponent {
    CL_COMPONENT_CLASS(TUiVersionInfo, TComponent)

    explicit TUiVersionInfo(TComponent* owner);
    void BeforeDestruction() override;

    const AnsiString& FilePath() const { return filePath_; }
    void SetFilePath(const AnsiString& path);
    bool HasVersionInfo() const { return hasVersionInfo_; }
    void GetVersionInfo();
    AnsiString GetField(int index) const { return fields_->Get(index); }
    AnsiString GetVerField(TUiVersionInfoField field) const { return GetField(field); }
    // Any string key of the file's version resource, or "Value Not Available".
    AnsiString GetCustomKeyValue(const AnsiString& key);

    void AddStatus(TUiVersionInfoStatus* pane);
    void RemoveStatus(TUiVersionInfoStatus* pane);
    void UpdateStatusControls();
    void Loaded() override;

private:
    AnsiString filePath_;
    TStringList* fields_;
    bool hasVersionInfo_ = false;
    std::vector<TUiVersionInfoStatus*> panes_;
};

class TUiVersionInfoStatus : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiVersionInfoStatus, TUiCustomStatusPane)

    explicit TUiVersionInfoStatus(TComponent* owner);
    void BeforeDestruction() override;

    const AnsiString& FieldLabel() const { return fieldLabel_; }
    void SetFieldLabel(const AnsiString& text);
    TColor FieldLabelColor() const { return fieldLabelColor_; }
    void SetFieldLabelColor(TColor color);
    TUiVersionInfo* VersionInfo() const { return versionInfo_; }
    void SetVersionInfo(TUiVersionInfo* info);
    TUiVersionInfoField Field() const { return field_; }
    void SetField(TUiVersionInfoField field);
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    AnsiString DisplayText() override;

private:
    AnsiString fieldLabel_;
    TColor fieldLabelColor_ = clHighlight;
    TUiVersionInfo* versionInfo_ = nullptr;
    TUiVersionInfoField field_ = vifProductVersion;
};
