#include "boardpicture.h"
#include "creaturepicture.h"
#include "pointerpicture.h"

#include "tcatalog.h"
#include "tmastrbd.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <array>
#include <iostream>
#include <utility>

// vkpictures: draws every picture the program shows but does not compute, at build time. The
// board pictures go where the program loads them (PROGRAM_DIR/GRAPHICS), the creature pictures
// and pointers into PICTURE_DIR as <resource number>.png for the program's resources, and again at
// twice the resolution as <resource number>@2x.png for high-DPI screens. (At a device pixel ratio
// above 1 the program draws the board picture itself.)

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;
constexpr const char *UsageText = "Usage: vkpictures PROGRAM_DIR PICTURE_DIR\n";
constexpr const char *SaveFailedText = "vkpictures: cannot write ";
constexpr std::array<int, 3> PointerIds = {1000, 1001, 1002};

bool Save(const QImage &image, const QString &fileName, const char *format)
{
    if (image.save(fileName, format))
        return true;
    std::cerr << SaveFailedText << fileName.toStdString() << '\n';
    return false;
}

bool SaveBoardPictures(const QString &programDir)
{
    QDir(programDir).mkpath(QStringLiteral("GRAPHICS"));
    bool ok = true;
    for (int size = 1; size <= BoardSizeCount; ++size) {
        const int s = BoardUnitForSize(size);
        const std::string fileName = BoardPictureFile(programDir.toStdString(), s);
        ok = Save(DrawBoardPicture(s), QString::fromStdString(fileName), "BMP") && ok;
    }
    return ok;
}

bool SaveResourcePictures(const QDir &pictureDir)
{
    bool ok = true;
    for (const auto &[ratio, suffix] : {std::pair{1.0, ""}, std::pair{2.0, "@2x"}}) {
        const auto fileName = [&, suffix = suffix](int id) {
            return pictureDir.filePath(QStringLiteral("%1%2.png").arg(id).arg(suffix));
        };
        for (int code = Crit::FirstType; code <= Crit::Unknown; ++code)
            ok = Save(DrawCreaturePicture(uint8_t(code), ratio),
                      fileName(CritPicture(uint8_t(code))), "PNG")
                && ok;
        for (int id : PointerIds)
            ok = Save(DrawPointerPicture(id, ratio), fileName(id), "PNG") && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << UsageText;
        return ExitUsage;
    }
    const QString programDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + '/';
    QDir pictureDir(QString::fromLocal8Bit(argv[2]));
    pictureDir.mkpath(QStringLiteral("."));
    const bool boardsSaved = SaveBoardPictures(programDir);
    const bool picturesSaved = SaveResourcePictures(pictureDir);
    return boardsSaved && picturesSaved ? ExitOk : ExitFailed;
}
