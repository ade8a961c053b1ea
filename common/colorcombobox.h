#pragma once

#include <QComboBox>
#include <QtGlobal>

#include <functional>
#include <optional>

// A drop-down list of colour swatches. Each item's colour is a 0x00BBGGRR value; one item may be
// declared the custom item, which carries a small arrow and, when the user chooses it, opens
// the colour dialog to take any colour; cancelling that dialog returns to the item chosen
// before. The owner adds the fixed colours first, then the custom item, and declares it.
class CColorComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CColorComboBox(QWidget* parent = nullptr);

    // Appends an item of the given colour and returns its index.
    int AddColor(quint32 color);
    // An item never given a colour reads as 0.
    quint32 ItemColor(int index) const;
    void SetItemColor(int index, quint32 color);

    void SetCustomItem(int index);
    bool HasCustomItem() const { return m_bHasCustomItem; }
    int CustomItem() const { return m_nCustomItem; }

    // Selects the first fixed item of colour c, or else puts c into the custom item and selects
    // it. Without a custom item an unknown colour leaves the selection as it was; an empty box
    // does nothing.
    void SelectColor(quint32 color);
    // The colour of the selected item; 0 when nothing is selected.
    quint32 GetSelectedColor() const;

    // Asks the user for a colour, starting from `initial`; nothing when cancelled. Tests replace
    // it; an empty function restores Qt's colour dialog.
    using ColorPrompt = std::function<std::optional<quint32>(QWidget* parent, quint32 initial)>;
    static void SetColorPrompt(ColorPrompt prompt);

    // 0x00BBGGRR and back.
    static QColor ToQColor(quint32 color);
    static quint32 FromQColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnActivated(int index);

    bool m_bHasCustomItem = false;
    int m_nCustomItem = -1;
    // The item selected when the user began to choose (by the list, a key or the wheel).
    int m_nBeforeChoice = -1;
};
