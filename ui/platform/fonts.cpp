#include "fonts.h"

#include <QFont>
#include <QStringList>

#include <array>
#include <cstddef>

namespace {

// Best match first; the last entry of each list is the generic family that the font
// configuration always resolves.
constexpr std::array<const char *, 5> SansFamilies{"DejaVu Sans", "Liberation Sans", "Noto Sans",
                                                   "FreeSans", "Sans Serif"};
constexpr std::array<const char *, 4> SerifFamilies{"DejaVu Serif", "Liberation Serif",
                                                    "Noto Serif", "Serif"};
constexpr std::array<const char *, 4> MonoFamilies{"DejaVu Sans Mono", "Liberation Mono",
                                                   "Noto Mono", "Monospace"};

constexpr std::array<const char *, 6> WindowsSansFamilies{
    "MS Sans Serif", "Tahoma", "Lucida Sans Unicode", "Small Fonts", "Arial", "Arial Black"};
// The title's engraved capitals: a wide serif comes closest.
constexpr const char *WindowsTitleFamily = "Copperplate Gothic Bold";
constexpr const char *WindowsMonoFamily = "Courier New";

template<std::size_t N>
QStringList Families(const std::array<const char *, N> &names)
{
    QStringList families;
    for (const char *name : names)
        families << QString::fromLatin1(name);
    return families;
}

} // namespace

void InstallFontSubstitutions()
{
    for (const char *family : WindowsSansFamilies)
        QFont::insertSubstitutions(QString::fromLatin1(family), Families(SansFamilies));
    QFont::insertSubstitutions(QString::fromLatin1(WindowsTitleFamily), Families(SerifFamilies));
    QFont::insertSubstitutions(QString::fromLatin1(WindowsMonoFamily), Families(MonoFamilies));
}
