#pragma once

#include "history/history_store.h"

#include <QWidget>

#include <vector>

namespace zem {

// The game's keyboard again, each key coloured by its miss rate, from cream
// (no miss) to red, with the rate written on it. The 30 keys lie where the
// game's key panels lie on their silver tray, scaled up so the rates can be
// read. Each key is a small widget of its own, so a screen reader visits it
// by its letter and rate ("Q 3.1%").
class KeyHeatMap final : public QWidget {
    Q_OBJECT

public:
    explicit KeyHeatMap(QWidget *parent = nullptr);

    // Rates by key; a key missing from them was never expected.
    void setRates(const std::vector<KeyRate> &rates);

    // The rate at which a key is drawn full red.
    static constexpr double kRedRate = 0.10;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    class Key;
    std::vector<Key *> keys_; // owned by Qt, in the design's order Panel1..Panel30
};

} // namespace zem
