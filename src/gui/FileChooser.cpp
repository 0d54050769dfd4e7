#include "gui/FileChooser.h"

#include <QFileDialog>

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
    return QFileDialog::getSaveFileName(parent, "Save Bitmap Dialog", suggested,
                                        "Bitmap Files (*.bmp);;All Files (*.*)");
}
