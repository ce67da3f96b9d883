#pragma once
// Clusters: controls made of items, each a mark in brackets and a text, one item per
// row below the first: the check box (one item), the check-box list (one bit of a
// 16-bit set per item) and the radio group (the number of the chosen item). The
// common part moves the highlight, draws the items and finds the item under a click;
// each kind decides what a key or a click does to its value.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tui/control.h"

namespace tui {

// Item lists are built from the last item to the first.
struct Item {
    std::string text;  // at most 78 characters
    std::unique_ptr<Item> next;
};

std::unique_ptr<Item> NewItem(std::string_view text, std::unique_ptr<Item> next);

class Cluster : public Control {
public:
    int ItemCount() const { return static_cast<int>(items_.size()); }

protected:
    // How an item's mark looks: the brackets with the blank after them, and the mark
    // for a set and a clear item.
    struct Look {
        std::string_view brackets;
        char set;
        char clear;
    };

    Cluster(ControlKind kind, std::vector<std::string> items, int row, int column, std::unique_ptr<Label> label,
            Look look);

    // The kind's own part.
    virtual bool Marked(int item) const = 0;
    virtual int FirstHighlight() const { return 0; }
    // A key for the highlighted item other than the arrows; false hands it back.
    virtual bool Press(const Event& event) = 0;
    virtual void Clicked(int item) = 0;
    // The value, to tell whether the user changed it.
    virtual unsigned State() const = 0;

    void DrawBody() override;
    void PlaceFocusCursor() override;
    void TakeFocus() override;
    bool HandleInput(Event& event) override;
    bool ReleaseFocus() override;

    int highlighted_ = 0;  // from 0

private:
    // The item whose mark or text holds the interior position; -1 for none.
    int ItemAt(int column, int row) const;

    std::vector<std::string> items_;
    Look look_;
    unsigned entry_ = 0;
};

class CheckBox : public Cluster {
public:
    CheckBox(std::string_view text, bool& value, int row, int column, std::unique_ptr<Label> label);

protected:
    bool Marked(int item) const override;
    bool Press(const Event& event) override;
    void Clicked(int item) override;
    unsigned State() const override { return value_ ? 1 : 0; }

private:
    bool& value_;
};

class CheckList : public Cluster {
public:
    // Item k (from 1, at most 16) is bit k - 1 of value; the other bits are kept.
    CheckList(std::unique_ptr<Item> items, std::uint16_t& value, int row, int column, std::unique_ptr<Label> label);

protected:
    bool Marked(int item) const override;
    bool Press(const Event& event) override;
    void Clicked(int item) override;
    unsigned State() const override { return value_; }

private:
    std::uint16_t& value_;
};

class RadioGroup : public Cluster {
public:
    // value: the number of the chosen item, from 0.
    RadioGroup(std::unique_ptr<Item> items, std::uint16_t& value, int row, int column, std::unique_ptr<Label> label);

protected:
    bool Marked(int item) const override;
    int FirstHighlight() const override;
    bool Press(const Event& event) override;
    void Clicked(int item) override;
    unsigned State() const override { return value_; }

private:
    std::uint16_t& value_;
};

// The values are bound by reference and must outlive the controls.
std::unique_ptr<CheckBox> NewCheckBox(std::string_view text, bool& value, int row, int column,
                                      std::unique_ptr<Label> label);
std::unique_ptr<CheckList> NewCheckList(std::unique_ptr<Item> items, std::uint16_t& value, int row, int column,
                                        std::unique_ptr<Label> label);
std::unique_ptr<RadioGroup> NewRadioGroup(std::unique_ptr<Item> items, std::uint16_t& value, int row, int column,
                                          std::unique_ptr<Label> label);

}  // namespace tui
