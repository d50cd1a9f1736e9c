#include "model/window_model.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace zem {

WindowModel::WindowModel(std::vector<Control> design)
    : controls_(std::move(design)), dirty_(controls_.size(), 0) {}

ControlId WindowModel::id(std::string_view name) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].name == name)
            return ControlId(i);
    throw std::out_of_range("no control named " + std::string(name));
}

Control &WindowModel::mut(ControlId id) {
    touch(id);
    return controls_[std::size_t(id)];
}

void WindowModel::touch(ControlId id) {
    if (!dirty_[std::size_t(id)]) {
        dirty_[std::size_t(id)] = 1;
        changes_.push_back(id);
    }
}

std::vector<ControlId> WindowModel::takeChanges() {
    std::vector<ControlId> out;
    out.swap(changes_);
    for (ControlId id : out)
        dirty_[std::size_t(id)] = 0;
    return out;
}

bool WindowModel::takeFocusChange() {
    bool changed = focusChanged_;
    focusChanged_ = false;
    return changed;
}

int WindowModel::textWidth(std::string_view utf8, int fontPx) {
    const int half = (fontPx + 1) / 2;
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t cp = lead;
        std::size_t len = 1;
        if (lead >= 0xF0)
            len = 4, cp = lead & 0x07;
        else if (lead >= 0xE0)
            len = 3, cp = lead & 0x0F;
        else if (lead >= 0xC0)
            len = 2, cp = lead & 0x1F;
        for (std::size_t k = 1; k < len && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += len;
        bool halfWidth = cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F);
        width += halfWidth ? half : fontPx;
    }
    return width;
}

int WindowModel::fittingFontPx(std::string_view utf8, int fontPx, int width) {
    int px = fontPx;
    while (px > 1 && textWidth(utf8, px) > width)
        --px;
    return px;
}

void WindowModel::resize(ControlId id) {
    Control &c = mut(id);
    if (!c.autoSize)
        return;
    c.rect.width = textWidth(c.text, c.fontPx);
    c.rect.height = c.fontPx;
    if (c.align == Align::Right)
        c.rect.left = c.anchorRight - c.rect.width;
}

void WindowModel::setText(ControlId id, std::string text) {
    if (at(id).text == text)
        return;
    Control &c = mut(id);
    c.text = std::move(text);
    c.greyedBytes = c.markedBytes = 0;
    resize(id);
}

void WindowModel::setMarks(ControlId id, std::size_t greyedBytes, std::size_t markedBytes) {
    const std::size_t size = at(id).text.size();
    greyedBytes = std::min(greyedBytes, size);
    markedBytes = std::min(markedBytes, size - greyedBytes);
    if (at(id).greyedBytes == greyedBytes && at(id).markedBytes == markedBytes)
        return;
    Control &c = mut(id);
    c.greyedBytes = greyedBytes;
    c.markedBytes = markedBytes;
}

void WindowModel::setColor(ControlId id, Color color) {
    if (at(id).color != color)
        mut(id).color = color;
}

void WindowModel::setLeft(ControlId id, int left) {
    if (at(id).rect.left == left)
        return;
    Control &c = mut(id);
    c.anchorRight += left - c.rect.left;
    c.rect.left = left;
}

void WindowModel::setTop(ControlId id, int top) {
    if (at(id).rect.top != top)
        mut(id).rect.top = top;
}

void WindowModel::setHeight(ControlId id, int height) {
    if (at(id).rect.height != height)
        mut(id).rect.height = height;
}

void WindowModel::setFontPoints(ControlId id, int points) {
    // Points to pixels at 96 dpi, rounded half up.
    setFontPx(id, (points * 96 + 36) / 72);
}

void WindowModel::setFontPx(ControlId id, int px) {
    if (at(id).fontPx == px)
        return;
    mut(id).fontPx = px;
    resize(id);
}

bool WindowModel::isAncestorOrSelf(ControlId ancestor, ControlId id) const {
    for (ControlId c = id; c != kWindow; c = at(c).parent)
        if (c == ancestor)
            return true;
    return false;
}

void WindowModel::setVisible(ControlId id, bool visible) {
    if (at(id).visible == visible)
        return;
    mut(id).visible = visible;
    // Hiding the control that holds the focus, or one of its parents, leaves
    // the focus with the window.
    if (!visible && focus_ != kWindow && isAncestorOrSelf(id, focus_)) {
        focus_ = kWindow;
        focusChanged_ = true;
    }
}

void WindowModel::setEnabled(ControlId id, bool enabled) {
    if (at(id).enabled == enabled)
        return;
    mut(id).enabled = enabled;
    if (!enabled && focus_ != kWindow && isAncestorOrSelf(id, focus_)) {
        focus_ = kWindow;
        focusChanged_ = true;
    }
}

bool WindowModel::isShown(ControlId id) const {
    for (ControlId c = id; c != kWindow; c = at(c).parent)
        if (!at(c).visible)
            return false;
    return true;
}

void WindowModel::setItemIndex(ControlId id, int index) {
    if (at(id).itemIndex != index)
        mut(id).itemIndex = index;
}

bool WindowModel::clickRadio(ControlId id) {
    if (at(id).checked || !at(id).enabled)
        return false;
    const ControlId group = at(id).parent;
    for (ControlId other = 0; other < size(); ++other)
        if (other != id && at(other).kind == ControlKind::RadioButton &&
            at(other).parent == group && at(other).checked)
            mut(other).checked = false;
    mut(id).checked = true;
    return true;
}

void WindowModel::setPosition(ControlId id, int position) {
    const Control &c = at(id);
    position = std::clamp(position, c.minimum, std::max(c.minimum, c.maximum));
    if (c.position != position)
        mut(id).position = position;
}

void WindowModel::setMaximum(ControlId id, int maximum) {
    if (at(id).maximum != maximum)
        mut(id).maximum = maximum;
    setPosition(id, at(id).position);
}

void WindowModel::stepIt(ControlId id) {
    setPosition(id, at(id).position + at(id).step);
}

bool WindowModel::canFocus(ControlId id) const {
    const Control &c = at(id);
    if (!c.focusable || !c.enabled || !isShown(id))
        return false;
    // Of a radio group only the checked button is a tab stop.
    return c.kind != ControlKind::RadioButton || c.checked;
}

bool WindowModel::setFocus(ControlId id) {
    if (id != kWindow && (!at(id).focusable || !at(id).enabled))
        return false;
    if (id != kWindow && !isShown(id))
        return false;
    if (focus_ != id) {
        focus_ = id;
        focusChanged_ = true;
    }
    return true;
}

int WindowModel::topLevelTab(ControlId id) const {
    ControlId c = id;
    while (at(c).parent != kWindow)
        c = at(c).parent;
    return at(c).tabOrder;
}

std::vector<ControlId> WindowModel::tabOrder() const {
    std::vector<ControlId> order;
    for (ControlId id = 0; id < size(); ++id)
        if (at(id).focusable)
            order.push_back(id);
    std::stable_sort(order.begin(), order.end(), [this](ControlId a, ControlId b) {
        return std::tuple(topLevelTab(a), at(a).tabOrder) <
               std::tuple(topLevelTab(b), at(b).tabOrder);
    });
    return order;
}

std::vector<ControlId> WindowModel::tabStops() const {
    std::vector<ControlId> stops = tabOrder();
    std::erase_if(stops, [this](ControlId id) { return !canFocus(id); });
    return stops;
}

void WindowModel::setCaption(std::string caption) {
    if (caption_ == caption)
        return;
    caption_ = std::move(caption);
    captionChanged_ = true;
}

bool WindowModel::takeCaptionChange() {
    return std::exchange(captionChanged_, false);
}

void WindowModel::activate() {
    if (focus_ != kWindow)
        return;
    auto stops = tabStops();
    if (!stops.empty())
        setFocus(stops.front());
}

} // namespace zem
