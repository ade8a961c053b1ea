#include "aboutdlg.h"

#include "fonts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QFont font(Fonts::UiFace());
    font.setPointSize(9);
    setFont(font);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/marvo-32.png")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    m_pVersion = new QLabel(ProgramVersionLine(), this);
    m_pVersion->setObjectName(QStringLiteral("version"));
    auto* text = new QVBoxLayout;
    text->addWidget(m_pVersion);
    for (const char* line : {"MARVO - Orlindo 発車標の時刻表エディタ", "Linux / Qt 版",
                             "時刻表ファイル (*.qlm) を作成・編集します"})
        text->addWidget(new QLabel(QString::fromUtf8(line), this));
    text->addStretch();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addSpacing(8);
    layout->addLayout(text, 1);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::VersionLine(int major, int minor, int patch)
{
    return QString::asprintf("%2d.%02d.%02d", major, minor, patch);
}

QString CAboutDlg::ProgramVersionLine()
{
    return VersionLine(MARVO_VERSION_MAJOR, MARVO_VERSION_MINOR, MARVO_VERSION_PATCH);
}
