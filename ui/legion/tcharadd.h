#pragma once

#include "tmodelessform.h"

#include <array>
#include <cstdint>

class QLabel;
class TLegion;
class TGameDocument;
class TShape;

// The creature picker: all creature types, from which the user picks the one to recruit into a
// legion. Types running low in the recruitment stacks are framed, types with none left are
// covered and take no clicks. Modeless; created once and shown when a legion recruits.
class TMonSelectForm : public TModelessForm {
public:
    static constexpr int TypeCount = 24;

    explicit TMonSelectForm(TGameDocument &document);

    // Prepares the picker for a legion that exists and is not full, and shows it.
    void ShowForLgn(TLegion *legion);

    void ImageClick(uint8_t type);

    // Picture, frame and "None Left" cover of creature type t are entry t − 1.
    std::array<QLabel *, TypeCount> Images{};
    std::array<TShape *, TypeCount> Shapes{};
    std::array<QLabel *, TypeCount> Labels{};

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildType(uint8_t type);
    void ShowStock(uint8_t type);
    // The type whose picture `object` is, 0 for none.
    uint8_t ImageType(const QObject *object) const;

    TGameDocument &document;
    TLegion *TargetLgn = nullptr;
    // The picture the left button went down on; a click needs the release on it too.
    uint8_t pressedType = 0;
};
