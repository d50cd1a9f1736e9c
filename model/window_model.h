#pragma once

#include "model/control.h"

#include <string>
#include <string_view>
#include <vector>

namespace zem {

// The window as plain data: the only thing the game logic touches. Every
// setter records the control as changed so that a presenter can bring just
// those widgets up to date after an event.
class WindowModel {
public:
    explicit WindowModel(std::vector<Control> design);

    // Looks a control up by its design name; throws std::out_of_range for an
    // unknown name, which is a programming error.
    ControlId id(std::string_view name) const;
    const Control &at(ControlId id) const { return controls_[std::size_t(id)]; }
    const std::vector<Control> &controls() const { return controls_; }
    int size() const { return int(controls_.size()); }

    void setText(ControlId id, std::string text);
    // How far a label's text is typed (see Control::greyedBytes); kept within
    // the text, which a new text resets to unmarked.
    void setMarks(ControlId id, std::size_t greyedBytes, std::size_t markedBytes);
    const std::string &text(ControlId id) const { return at(id).text; }
    void setColor(ControlId id, Color color);
    Color color(ControlId id) const { return at(id).color; }
    void setLeft(ControlId id, int left);
    void setTop(ControlId id, int top);
    void setHeight(ControlId id, int height);
    // Runtime font sizes are points: 9 pt is 12 px, 12 pt is 16 px.
    void setFontPoints(ControlId id, int points);
    void setFontPx(ControlId id, int px);

    // A hidden parent hides its children; a child's own setting is kept and
    // counts again once the parent is shown.
    void setVisible(ControlId id, bool visible);
    bool isShown(ControlId id) const;
    // Disabling the control that holds the focus leaves the focus with the
    // window, as hiding it does.
    void setEnabled(ControlId id, bool enabled);
    bool enabled(ControlId id) const { return at(id).enabled; }

    // Drop-down list.
    int itemIndex(ControlId id) const { return at(id).itemIndex; }
    void setItemIndex(ControlId id, int index);

    // Radio buttons of one group box: checking one unchecks its siblings.
    bool checked(ControlId id) const { return at(id).checked; }
    // A click on an unchecked button checks it and returns true (its click
    // handler is then due); a click on the checked one changes nothing.
    bool clickRadio(ControlId id);

    // Progress bar: the position stays within minimum..maximum.
    void setPosition(ControlId id, int position);
    void setMaximum(ControlId id, int maximum);
    void stepIt(ControlId id);

    // Keyboard focus: a control, or kWindow when the window holds it itself.
    ControlId focus() const { return focus_; }
    bool windowHasFocus() const { return focus_ == kWindow; }
    bool canFocus(ControlId id) const;
    // Gives the focus to a control that can take it; returns false (and
    // leaves the focus) otherwise.
    bool setFocus(ControlId id);
    // The window was activated: with the focus on the window itself, it goes
    // to the first control in the tab order that can take it.
    void activate();
    // Every control that takes the focus when it can, in tab order: parents
    // by their own order, then their children by theirs.
    std::vector<ControlId> tabOrder() const;
    // The controls that can take the focus now, in tab order.
    std::vector<ControlId> tabStops() const;

    // The window's title bar.
    const std::string &caption() const { return caption_; }
    void setCaption(std::string caption);
    bool takeCaptionChange();

    // Controls changed since the last call, each once, in order of change.
    std::vector<ControlId> takeChanges();
    bool takeFocusChange();

    // Size of an auto-sized label's text: half-width characters (ASCII and
    // half-width katakana) are half a character height wide, rounded up;
    // every other character is a full character height wide.
    static int textWidth(std::string_view utf8, int fontPx);
    // The largest size up to fontPx at which the text is at most `width`
    // wide by textWidth(); 1 when none is.
    static int fittingFontPx(std::string_view utf8, int fontPx, int width);

private:
    Control &mut(ControlId id);
    void touch(ControlId id);
    void resize(ControlId id);
    bool isAncestorOrSelf(ControlId ancestor, ControlId id) const;
    int topLevelTab(ControlId id) const;

    std::vector<Control> controls_;
    std::vector<char> dirty_;
    std::vector<ControlId> changes_;
    ControlId focus_ = kWindow;
    bool focusChanged_ = false;
    std::string caption_;
    bool captionChanged_ = false;
};

} // namespace zem
