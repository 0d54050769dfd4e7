#include "gui/AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include "run/RunSettings.h"

QString CAboutBox::ModelVersion(const QString& program) {
    QProcess p;
    p.setProgram(program);
    p.setArguments({"--version"});
    p.setStandardInputFile(QProcess::nullDevice());
    p.start();
    if (!p.waitForStarted(3000)) return QString("Jet model %1: not found").arg(program);
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
        return QString("Jet model %1: no answer").arg(program);
    }
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().section('\n', 0, 0);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || out.isEmpty())
        return QString("Jet model %1: no version given").arg(program);
    return "Jet model: " + out;
}

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Plumex");
    setObjectName("aboutBox");
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/plumex.svg").pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    auto* version = new QLabel(QString("<b>Plumex</b> version %1").arg(PLUMEX_VERSION), this);
    version->setObjectName("versionLine");
    auto* what = new QLabel(
        "Computes the buoyant jets of submarine sewage outfalls with its jet model and shows "
        "them in 3-D with cut planes, cross-sections and dilutions.",
        this);
    what->setWordWrap(true);
    auto* model = new QLabel(ModelVersion(QString::fromStdString(CRunSettings::DefaultModelProgram())), this);
    model->setObjectName("modelLine");
    model->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* text = new QVBoxLayout;
    text->addWidget(version);
    text->addWidget(what);
    text->addWidget(model);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}
