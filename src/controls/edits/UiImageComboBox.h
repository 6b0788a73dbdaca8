// An owner-drawn framed combo box whose rows are items of its own: a caption, an image and an
// overlay from an image list, and an indent level.
#pragma once

#include <vector>

#include "UiCustomComboBox.h"
#include "cl_imagelist.h"

class TUiCustomImageComboBox;

// One row of the image combo box, owned by the combo box.
class TUiImageComboBoxItem : public TObject {
    CL_CLASS(TUiImageComboBoxItem, TObject)

    explicit TUiImageComboBoxItem(TUiCustomImageComboBox* owner) : owner_(owner) {}

    TUiCustomImageComboBox* Owner() const { return owner_; }
    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int value);
    int IndentLevel() const { return indentLevel_; }
    void SetIndentLevel(int value);
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    // The row index AddItem gave the item.
    int Index() const { return index_; }

private:
    friend class TUiCustomImageComboBox;
    void Changed();

    TUiCustomImageComboBox* owner_;
    AnsiString caption_;
    int imageIndex_ = 0;
    int overlayIndex_ = -1;
    int indentLevel_ = 0;
    void* data_ = nullptr;
    int index_ = -1;
};

using TUiDeleteImageComboBoxItemEvent =
    std::function<void(TObject* sender, TUiImageComboBoxItem* item)>;
using TUiImageComboBoxGetItemDataEvent =
    std::function<void(TObject* sender, TUiImageComboBoxItem* item)>;

class TUiCustomImageComboBox : public TUiCustomComboBox {
    CL_COMPONENT_CLASS(TUiCustomImageComboBox, TUiCustomComboBox)

    explicit TUiCustomImageComboBox(TComponent* owner);
    void BeforeDestruction() override;

    bool AutoSizeHeight() const { return autoSizeHeight_; }
    void SetAutoSizeHeight(bool value) { autoSizeHeight_ = value; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    int ItemIndent() const { return itemIndent_; }
    void SetItemIndent(int value);

    virtual TUiImageComboBoxItem* AddItem(const AnsiString& caption, int imageIndex,
                                          int indentLevel);
    // The row's item; raises EInvalidCast when the row holds another object.
    TUiImageComboBoxItem* GetImageComboBoxItem(int index);
    // Deletes the row and frees its item.
    void Delete(int index);
    int IndexOf(const AnsiString& caption) override;
    int IndexOfItem(TUiImageComboBoxItem* item);
    int IndexOfData(void* data);
    void ItemsBeginUpdate() { Items()->BeginUpdate(); }
    void ItemsEndUpdate() { Items()->EndUpdate(); }

    TUiDeleteImageComboBoxItemEvent OnDeleteItem;
    TUiImageComboBoxGetItemDataEvent OnGetItemData;

protected:
    ~TUiCustomImageComboBox() override = default;

    virtual void GetItemData(TUiImageComboBoxItem* item) {
        if (OnGetItemData) OnGetItemData(this, item);
    }
    // Row height from the font (and the images) when AutoSizeHeight.
    virtual void AdjustItemHeight(HFONT font);
    void Notification(TComponent* component, TOperation operation) override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void DeleteItem(int index, void* data) override;
    void Dispatch(TMessage& message) override;

private:
    // The row's item, null when the row holds none.
    TUiImageComboBoxItem* ItemAt(int index);
    void FreeItem(TUiImageComboBoxItem* item);
    void DrawRow(TUiImageComboBoxItem* item, TRect rect, const TOwnerDrawState& state);
    void EraseBackground(TMessage& message);

    bool autoSizeHeight_ = true;
    TCustomImageList* images_ = nullptr;
    int itemIndent_ = 12;
    bool deleting_ = false;
    std::vector<TUiImageComboBoxItem*> owned_;
};

class TUiImageComboBox : public TUiCustomImageComboBox {
    CL_COMPONENT_CLASS(TUiImageComboBox, TUiCustomImageComboBox)

    explicit TUiImageComboBox(TComponent* owner) : TUiCustomImageComboBox(owner) {}

protected:
    ~TUiImageComboBox() override = default;
};
