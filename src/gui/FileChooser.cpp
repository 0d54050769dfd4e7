#include "gui/FileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
const char kCaseFilter[] = "Plumex Files (*.pmx);;All Files (*)";
// Open also takes the text form of a case, which opens as a new case.
const char kOpenFilter[] = "Plumex Files (*.pmx);;Case Texts (*.json);;All Files (*)";
}  // namespace

QString CDialogFileChooser::OpenCase(QWidget* parent, const QString& directory) {
    return QFileDialog::getOpenFileName(parent, "Open", directory, kOpenFilter);
}

QString CDialogFileChooser::SaveCaseAs(QWidget* parent, const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, "Save As", suggested, kCaseFilter);
}

QString CDialogFileChooser::SaveBitmap(QWidget* parent, const QString& suggested) {
    // Any other name is allowed too: a name ending in ".png" saves a PNG picture.
    const QString png = "PNG Files (*.png)";
    QString chosen;
    QString path = QFileDialog::getSaveFileName(parent, "Save Bitmap Dialog", suggested,
                                                "Bitmap Files (*.bmp);;" + png + ";;All Files (*.*)", &chosen);
    // A name typed without an ending takes the one of the chosen kind.
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += chosen == png ? ".png" : ".bmp";
    return path;
}
