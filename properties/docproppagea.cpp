#include "docproppagea.h"

#include "fieldeditors.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The four line colour boxes offer green, dark green, blue, orange, yellow and dark blue.
constexpr quint32 kLineColours[] = {0x0000F000, 0x00008000, 0x00F04040,
                                    0x000080F0, 0x0000F0F0, 0x00D00000};

QLabel* Label(const char* utf8, QWidget* buddy)
{
    auto* label = new QLabel(QString::fromUtf8(utf8));
    label->setBuddy(buddy);
    return label;
}

} // namespace

CDocPropPageA::CDocPropPageA(CQLMDoc& doc, QWidget* parent)
    : CDocPropPage(doc, kGeneralFields, parent)
{
    for (DocField field : kGeneralFields)
        if (KindOf(field) == FieldKind::Text)
            m_texts[field] = AddEditor(field, new CTextFieldEdit);
    for (DocField field : {DocField::LineColor, DocField::LineColor2, DocField::SubLineColor,
                           DocField::SubLineColor2})
        m_colours[field] = AddEditor(field, new CColorField(kLineColours));
    m_pLineColor2 = AddEditor(DocField::LineColor2Used, new CFlagCheckBox);
    m_pSubLine = AddEditor(DocField::SubLine, new CFlagCheckBox(QStringLiteral("副線")));
    m_pSubLineColor2 = AddEditor(DocField::SubLineColor2Used, new CFlagCheckBox);
    m_pPlatform = AddEditor(DocField::Platform, new CPlatformEdit);

    // A label, then one field per row beside it.
    auto pairRows = [this](QGridLayout* grid, int row, const char* label,
                           std::initializer_list<DocField> fields) {
        grid->addWidget(Label(label, Text(*fields.begin())), row, 0);
        for (DocField field : fields)
            grid->addWidget(Text(field), row++, 1);
    };

    auto* station = new QGroupBox(QStringLiteral("当駅名"));
    auto* stationGrid = new QGridLayout(station);
    pairRows(stationGrid, 0, "当駅名:", {DocField::StationName, DocField::StationNameEn});
    pairRows(stationGrid, 2, "駅識別名:", {DocField::StationId});

    auto* neighbours = new QGroupBox(QStringLiteral("次前駅名"));
    auto* neighbourGrid = new QGridLayout(neighbours);
    pairRows(neighbourGrid, 0, "次駅名:", {DocField::NextStation, DocField::NextStationEn});
    pairRows(neighbourGrid, 2, "前駅名:", {DocField::PrevStation, DocField::PrevStationEn});

    auto* sign = new QGroupBox(QStringLiteral("方面案内標"));
    auto* signLayout = new QVBoxLayout(sign);
    auto* platformRow = new QHBoxLayout;
    platformRow->addWidget(Label("発車番線:", m_pPlatform));
    m_pPlatform->setFixedWidth(m_pPlatform->fontMetrics().horizontalAdvance(u'0') * 2 + 36);
    platformRow->addWidget(m_pPlatform);
    platformRow->addWidget(new QLabel(QStringLiteral("番線")));
    platformRow->addStretch(1);
    signLayout->addLayout(platformRow);

    // Columns: labels, the main row, the "副線" check box, the second row. Tab follows the order
    // in which the grid is filled: the whole main row, then "副線", then the whole second row.
    auto* rows = new QGridLayout;
    rows->addWidget(Label("路線色:", Colour(DocField::LineColor)), 0, 0);
    rows->addWidget(Label("路線名:", Text(DocField::LineName)), 2, 0);
    rows->addWidget(Label("案内:", Text(DocField::Guide)), 4, 0);
    auto signRow = [&](int column, DocField upper, CFlagCheckBox* check, DocField lower,
                       std::initializer_list<DocField> texts) {
        rows->addWidget(Colour(upper), 0, column);
        auto* cell = new QHBoxLayout;
        cell->addWidget(check);
        cell->addWidget(Colour(lower), 1);
        rows->addLayout(cell, 1, column);
        int row = 2;
        for (DocField field : texts)
            rows->addWidget(Text(field), row++, column);
        rows->setColumnStretch(column, 1);
    };
    signRow(1, DocField::LineColor, m_pLineColor2, DocField::LineColor2,
            {DocField::LineName, DocField::LineNameEn, DocField::Guide, DocField::GuideEn});
    rows->addWidget(m_pSubLine, 0, 2, 6, 1, Qt::AlignTop);
    signRow(
        3, DocField::SubLineColor, m_pSubLineColor2, DocField::SubLineColor2,
        {DocField::SubLineName, DocField::SubLineNameEn, DocField::SubGuide, DocField::SubGuideEn});
    signLayout->addLayout(rows);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(station);
    top->addWidget(neighbours);
    layout->addLayout(top);
    layout->addWidget(sign);
    layout->addStretch(1);

    connect(m_pLineColor2, &QCheckBox::clicked, this, &CDocPropPageA::UpdateLowerColours);
    connect(m_pSubLineColor2, &QCheckBox::clicked, this, &CDocPropPageA::UpdateLowerColours);
}

void CDocPropPageA::OnInitialFill()
{
    UpdateLowerColours();
}

// A row's lower colour box is in use only with its check box ticked; disabled, it keeps its
// colour, which is still written back.
void CDocPropPageA::UpdateLowerColours()
{
    Colour(DocField::LineColor2)->setEnabled(m_pLineColor2->isChecked());
    Colour(DocField::SubLineColor2)->setEnabled(m_pSubLineColor2->isChecked());
}
