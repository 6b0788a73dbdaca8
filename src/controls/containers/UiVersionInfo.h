// A program file's version information read into ten text fields, the field pane that labels
// its caption, the pane showing one version field, and the marquee pane that scrolls its caption.
#pragma once

#include <vector>

#include "UiStatusPane.h"
#include "cl_lists.h"

class TTimer;

enum TUiVersionInfoField {
    vifCompanyName, vifFileDescription, vifFileVersion, vifInternalName, vifCopyright,
    vifTrademarks, vifOriginalFilename, vifProductName, vifProductVersion, vifComments
};

class TUiVersionInfoStatus;

extern const char* const SValueNotAvailable;

class TUiVersionInfo : public TComponent {
    CL_COMPONENT_CLASS(TUiVersionInfo, TComponent)

    explicit TUiVersionInfo(TComponent* owner);
    void BeforeDestruction() override;
    void Loaded() override;

    const AnsiString& FilePath() const { return filePath_; }
    virtual void SetFilePath(const AnsiString& value);
    // Whether the last reading found a version resource.
    bool HasVersionInfo() const { return hasVersionInfo_; }
    void GetVersionInfo();
    AnsiString GetField(int index) const { return fields_->Get(index); }
    AnsiString GetVerField(TUiVersionInfoField field) const { return GetField(field); }
    // Any string key of the file's version resource, or "Value Not Available".
    AnsiString GetCustomKeyValue(const AnsiString& key);

    void AddStatus(TUiVersionInfoStatus* pane);
    void RemoveStatus(TUiVersionInfoStatus* pane);
    void UpdateStatusControls();

protected:
    ~TUiVersionInfo() override;

private:
    AnsiString filePath_;
    TStringList* fields_;
    bool hasVersionInfo_ = false;
    std::vector<TUiVersionInfoStatus*> panes_;
};

class TUiCustomFieldStatus : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiCustomFieldStatus, TUiCustomStatusPane)

    explicit TUiCustomFieldStatus(TComponent* owner) : TUiCustomStatusPane(owner) {}

    const AnsiString& FieldLabel() const { return fieldLabel_; }
    virtual void SetFieldLabel(const AnsiString& value);
    TColor FieldLabelColor() const { return fieldLabelColor_; }
    virtual void SetFieldLabelColor(TColor value) { Change(fieldLabelColor_, value); }

    int GetMinWidth() override;
    TRect GetCaptionRect() override;

protected:
    ~TUiCustomFieldStatus() override = default;
    void DrawCaption(const AnsiString& caption) override;

private:
    AnsiString fieldLabel_;
    TColor fieldLabelColor_ = clHighlight;
};

class TUiFieldStatus : public TUiCustomFieldStatus {
    CL_COMPONENT_CLASS(TUiFieldStatus, TUiCustomFieldStatus)

    explicit TUiFieldStatus(TComponent* owner) : TUiCustomFieldStatus(owner) {}

protected:
    ~TUiFieldStatus() override = default;
};

class TUiVersionInfoStatus : public TUiCustomFieldStatus {
    CL_COMPONENT_CLASS(TUiVersionInfoStatus, TUiCustomFieldStatus)

    explicit TUiVersionInfoStatus(TComponent* owner);
    void BeforeDestruction() override;
    void Notification(TComponent* component, TOperation operation) override;

    TUiVersionInfo* VersionInfo() const { return versionInfo_; }
    virtual void SetVersionInfo(TUiVersionInfo* value);
    TUiVersionInfoField Field() const { return field_; }
    virtual void SetField(TUiVersionInfoField value);
    // Shows the chosen field of the version information (a placeholder while designed).
    void UpdateCaption();

protected:
    ~TUiVersionInfoStatus() override = default;

private:
    TUiVersionInfo* versionInfo_ = nullptr;
    TUiVersionInfoField field_ = vifProductVersion;
};

class TUiMarqueeStatus : public TUiStatusPane {
    CL_COMPONENT_CLASS(TUiMarqueeStatus, TUiStatusPane)

    explicit TUiMarqueeStatus(TComponent* owner);
    void BeforeDestruction() override;
    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;

    TUiScrollType ScrollType() const { return scrollType_; }
    void SetScrollType(TUiScrollType value);
    bool Scrolling() const { return scrolling_; }
    virtual void SetScrolling(bool value);
    uint16_t ScrollSize() const { return scrollSize_; }
    virtual void SetScrollSize(uint16_t value) { scrollSize_ = value == 0 ? 1 : value; }
    uint16_t ScrollDelay() const { return scrollDelay_; }
    void SetScrollDelay(uint16_t value);
    int ScrollPosition() const { return position_; }
    int StepCount() const { return steps_; }
    bool TimerRunning() const;
    // One timer tick: moves the caption by ScrollSize and draws it at once.
    void Scroll();

protected:
    ~TUiMarqueeStatus() override;
    void DrawCaption(const AnsiString& caption) override;

private:
    void UpdateSteps();
    void PaintBackground(TCanvas* target, const TRect& rect);

    TUiScrollType scrollType_ = TUiScrollType::stRightToLeft;
    bool scrolling_ = true;
    uint16_t scrollSize_ = 1;
    uint16_t scrollDelay_ = 100;
    TBitmap* bitmap_;
    TTimer* timer_;
    int position_ = 0;
    int steps_;
};
