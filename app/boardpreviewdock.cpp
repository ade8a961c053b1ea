#include "boardpreviewdock.h"

#include "boardfont.h"
#include "boardpicture.h"
#include "boardview.h"
#include "messages.h"
#include "veldendoc.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTime>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString DefaultSavePrompt(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QStringLiteral("ドット画像の保存"), suggested,
                       QStringLiteral("PNG 画像 (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

CBoardPreviewDock::SavePrompt g_savePrompt = DefaultSavePrompt;

QString FontProblem()
{
    const QString path = CBoardFont::DefaultPath();
    return QFileInfo::exists(path)
               ? QStringLiteral("発車標のフォント %1 を読めません。").arg(path)
               : QStringLiteral("発車標のフォント %1 がありません。\n"
                                "Debian パッケージ unifont をインストールしてください。")
                     .arg(path);
}

// Typing into the time field replaces the hour or minute it shows: the part under a click, or
// the hour when the field is reached by key, is selected.
class SectionSelector : public QObject
{
public:
    explicit SectionSelector(QTimeEdit* edit) : QObject(edit), m_pEdit(edit)
    {
        edit->installEventFilter(this);
        // Clicks land on the line edit inside the field.
        if (auto* line = edit->findChild<QLineEdit*>())
            line->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        QTimeEdit* edit = m_pEdit;
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
            QTimer::singleShot(0, edit,
                               [edit] { edit->setSelectedSection(QDateTimeEdit::HourSection); });
        } else if (event->type() == QEvent::MouseButtonRelease) {
            QTimer::singleShot(0, edit,
                               [edit] { edit->setSelectedSection(edit->currentSection()); });
        }
        return false;
    }

private:
    QTimeEdit* m_pEdit;
};

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CBoardPreviewDock::CBoardPreviewDock(QWidget* parent)
    : QDockWidget(QStringLiteral("発車標プレビュー"), parent)
{
    setObjectName(QStringLiteral("boardPreviewDock"));
    auto* body = new QWidget(this);
    m_pView = new CBoardView(body);

    m_pTimeEdit = new QTimeEdit(body);
    m_pTimeEdit->setDisplayFormat(QStringLiteral("HH:mm"));
    new SectionSelector(m_pTimeEdit);
    m_pSlider = new QSlider(Qt::Horizontal, body);
    m_pSlider->setRange(0, Board::kMinutesPerDay - 1);
    m_pSlider->setPageStep(60);
    m_pSlider->setToolTip(QStringLiteral("日付変更時刻から始まる運用日"));
    m_pNowButton = new QPushButton(QStringLiteral("現在時刻(&N)"), body);
    m_pNowButton->setCheckable(true);
    m_pModeBox = new QComboBox(body);
    m_pModeBox->addItems(
        {QStringLiteral("日本語/主 表示"), QStringLiteral("英語/副 表示"), QStringLiteral("交互")});
    m_pRowsBox = new QSpinBox(body);
    m_pRowsBox->setRange(1, Board::kMaxTrainRows);
    m_pRowsBox->setValue(Board::kDefaultTrainRows);

    // The dots as a picture, for manuals and for comparing with qlmtool render.
    auto* save = new QAction(QStringLiteral("ドット画像を保存(&S)..."), m_pView);
    m_pView->addAction(save);
    m_pView->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(save, &QAction::triggered, this, &CBoardPreviewDock::SaveDots);

    auto* controls = new QHBoxLayout;
    controls->addWidget(BuddyLabel(QStringLiteral("時刻(&T):"), m_pTimeEdit, body));
    controls->addWidget(m_pTimeEdit);
    controls->addWidget(m_pSlider, 1);
    controls->addWidget(m_pNowButton);
    controls->addSpacing(8);
    controls->addWidget(BuddyLabel(QStringLiteral("表示(&D):"), m_pModeBox, body));
    controls->addWidget(m_pModeBox);
    controls->addWidget(BuddyLabel(QStringLiteral("行数(&R):"), m_pRowsBox, body));
    controls->addWidget(m_pRowsBox);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_pView, 1);
    layout->addLayout(controls);
    setWidget(body);

    m_pClockTimer = new QTimer(this);
    m_pClockTimer->setInterval(1000);
    m_pFrameTimer = new QTimer(this);
    m_pFrameTimer->setInterval(kFrameInterval);
    m_pAlternateTimer = new QTimer(this);
    m_pAlternateTimer->setInterval(kAlternateInterval);

    connect(m_pTimeEdit, &QTimeEdit::timeChanged, this, [this](QTime time) {
        if (m_bSyncing)
            return;
        FollowClock(false);
        SetTime(time.hour() * 60 + time.minute());
    });
    connect(m_pSlider, &QSlider::valueChanged, this, [this](int value) {
        if (m_bSyncing)
            return;
        FollowClock(false);
        SetTime(TimeOfSliderValue(value));
    });
    connect(m_pNowButton, &QPushButton::toggled, this, &CBoardPreviewDock::FollowClock);
    connect(m_pModeBox, &QComboBox::currentIndexChanged, this, &CBoardPreviewDock::OnModeChanged);
    connect(m_pRowsBox, &QSpinBox::valueChanged, this, &CBoardPreviewDock::Rebuild);
    connect(m_pClockTimer, &QTimer::timeout, this, &CBoardPreviewDock::OnClockTick);
    connect(m_pFrameTimer, &QTimer::timeout, this, &CBoardPreviewDock::OnFrameTick);
    connect(m_pAlternateTimer, &QTimer::timeout, this, &CBoardPreviewDock::OnAlternate);

    // The board of the present moment, until the user picks another time.
    FollowClock(true);
}

CBoardPreviewDock::~CBoardPreviewDock() = default;

CVeldenDoc* CBoardPreviewDock::Document() const
{
    return m_pDoc;
}

int CBoardPreviewDock::TrainRows() const
{
    return m_pRowsBox->value();
}

void CBoardPreviewDock::SetDocument(CVeldenDoc* doc)
{
    if (doc == m_pDoc)
        return;
    disconnect(m_docConnection);
    m_pDoc = doc;
    if (doc)
        m_docConnection = connect(doc, &CVeldenDoc::changed, this, &CBoardPreviewDock::Rebuild);
    Rebuild();
}

void CBoardPreviewDock::FollowClock(bool follow)
{
    if (m_pNowButton->isChecked() != follow) {
        const QSignalBlocker blocker(m_pNowButton);
        m_pNowButton->setChecked(follow);
    }
    if (follow) {
        m_pClockTimer->start();
        OnClockTick();
    } else {
        m_pClockTimer->stop();
    }
}

void CBoardPreviewDock::OnClockTick()
{
    const QTime now = QTime::currentTime();
    const int minutes = now.hour() * 60 + now.minute();
    if (minutes != m_nTime || m_dots.Width() == 0)
        SetTime(minutes);
}

void CBoardPreviewDock::SetTime(int minutes)
{
    m_nTime = minutes;
    Rebuild();
}

int CBoardPreviewDock::SliderValueOf(int time) const
{
    const int start = m_pDoc ? m_pDoc->Timetable().m_wDateChangeTime : 0;
    return ((time - start) % Board::kMinutesPerDay + Board::kMinutesPerDay) % Board::kMinutesPerDay;
}

int CBoardPreviewDock::TimeOfSliderValue(int value) const
{
    const int start = m_pDoc ? m_pDoc->Timetable().m_wDateChangeTime : 0;
    return (start + value) % Board::kMinutesPerDay;
}

void CBoardPreviewDock::OnModeChanged()
{
    const Mode mode = static_cast<Mode>(m_pModeBox->currentIndex());
    m_display = mode == Mode::Sub ? Board::Display::Sub : Board::Display::Main;
    Rebuild();
}

void CBoardPreviewDock::OnAlternate()
{
    m_display = m_display == Board::Display::Main ? Board::Display::Sub : Board::Display::Main;
    Rebuild();
}

void CBoardPreviewDock::Rebuild()
{
    {
        // The time fields show the time, the slider its place in the service day.
        const QSignalBlocker timeBlocker(m_pTimeEdit);
        const QSignalBlocker sliderBlocker(m_pSlider);
        m_bSyncing = true;
        m_pTimeEdit->setTime(QTime(m_nTime / 60, m_nTime % 60));
        m_pSlider->setValue(SliderValueOf(m_nTime));
        m_bSyncing = false;
    }
    if (!isVisible()) {
        // Worked out when shown.
        m_dots = CDotMatrix();
        UpdateTimers();
        return;
    }
    if (!m_font)
        m_font = CBoardFont::Shared(&m_strFontError);
    if (!m_font) {
        m_pView->SetMessage(FontProblem());
        m_dots = CDotMatrix();
        UpdateTimers();
        return;
    }
    if (!m_pDoc) {
        m_pView->SetMessage(QStringLiteral("時刻表が開かれていません。"));
        m_dots = CDotMatrix();
        UpdateTimers();
        return;
    }
    const CQLMDoc& doc = m_pDoc->Timetable();
    Board::BoardContent content = Board::ContentAt(doc, m_nTime, TrainRows());
    if (content.guide != m_content.guide)
        m_nFrame = 0; // a new run of messages starts at its first
    m_content = std::move(content);
    m_guideWidths = Board::GuideWidths(*m_font, m_content);
    m_guideAt = Board::GuidePositionAt(m_guideWidths, Board::kPanelDots, m_nFrame);
    std::vector<Board::BoardRegion> regions;
    m_dots = Board::DrawBoard(doc, *m_font, m_content, m_display, m_nFrame, &regions);
    m_pView->SetBoard(m_dots, std::move(regions));
    UpdateTimers();
}

void CBoardPreviewDock::OnFrameTick()
{
    if (!m_pDoc || !m_font || m_dots.Width() == 0)
        return;
    ++m_nFrame;
    const Board::GuidePosition at =
        Board::GuidePositionAt(m_guideWidths, Board::kPanelDots, m_nFrame);
    if (at == m_guideAt)
        return;
    m_guideAt = at;
    Board::DrawGuideLine(m_dots, m_pDoc->Timetable(), *m_font, m_content, m_nFrame);
    m_pView->UpdateDots(
        m_dots, QRect(0, Board::GuideRowTop(m_content), Board::kPanelDots, Board::kRowDots));
}

void CBoardPreviewDock::UpdateTimers()
{
    const bool shown = isVisible() && m_dots.Width() > 0;
    // The guide line moves only with more than one message or one wider than the panel.
    bool moving = m_guideWidths.size() > 1;
    for (int width : m_guideWidths)
        moving = moving || width > Board::kPanelDots;
    if (shown && moving) {
        if (!m_pFrameTimer->isActive())
            m_pFrameTimer->start();
    } else {
        m_pFrameTimer->stop();
    }
    const bool alternating = static_cast<Mode>(m_pModeBox->currentIndex()) == Mode::Alternating;
    if (shown && alternating) {
        if (!m_pAlternateTimer->isActive())
            m_pAlternateTimer->start();
    } else {
        m_pAlternateTimer->stop();
    }
}

void CBoardPreviewDock::SetSavePrompt(SavePrompt prompt)
{
    g_savePrompt = prompt ? std::move(prompt) : SavePrompt(DefaultSavePrompt);
}

void CBoardPreviewDock::SaveDots()
{
    if (m_dots.Width() == 0 || !m_pDoc)
        return;
    const QString name = QFileInfo(m_pDoc->GetTitle()).completeBaseName() +
                         QStringLiteral("-%1%2.png")
                             .arg(m_nTime / 60, 2, 10, QLatin1Char('0'))
                             .arg(m_nTime % 60, 2, 10, QLatin1Char('0'));
    const QString folder = m_pDoc->GetPathName().isEmpty()
                               ? QString()
                               : QFileInfo(m_pDoc->GetPathName()).absolutePath();
    const QString path = g_savePrompt(this, folder.isEmpty() ? name : folder + u'/' + name);
    if (path.isEmpty())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!Board::BoardPicture(m_dots, 1).save(&buffer, "PNG"))
        error = QStringLiteral("%1 に保存できません。").arg(QFileInfo(path).fileName());
    else
        WriteFileAtomically(path, png, &error);
    if (!error.isEmpty())
        Msg::Show(this, error, Msg::AppTitle(), QMessageBox::Warning);
}

void CBoardPreviewDock::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    Rebuild();
}

void CBoardPreviewDock::hideEvent(QHideEvent* event)
{
    QDockWidget::hideEvent(event);
    UpdateTimers();
}
