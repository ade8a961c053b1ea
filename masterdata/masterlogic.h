#pragma once

#include "qlmdoc.h"
#include "timetableedit.h"

#include <QString>

#include <vector>

// What one run of the type list or the destination list works on: copies of both lists and of
// the trains' type and destination indexes. Nothing reaches the document during the run; at
// its end ToEdit turns the whole run into one edit. Indexes are 1-based.
class MasterSession
{
public:
    explicit MasterSession(const CQLMDoc& doc);

    // Why an entry may not be removed.
    enum class Removal
    {
        Allowed,
        LastOne, // the list would be empty
        InUse,   // a train names it
    };

    const CTrainAssortment& Types() const { return m_types; }
    const CDestination& Destinations() const { return m_destinations; }
    const std::vector<quint16>& TrainTypes() const { return m_trainTypes; }
    const std::vector<quint16>& TrainDestinations() const { return m_trainDestinations; }

    // A new type: the default names and colours, lit in the standard colour, the document's
    // own layouts. A new destination: the default names.
    tagTRAINASSORTMENT NewTrainType() const;
    static DESTINATION NewDestination();

    // Appends an entry; false (nothing added) when the list already holds the most a file can.
    bool AddType(const tagTRAINASSORTMENT& type);
    bool AddDestination(const DESTINATION& destination);
    void ReplaceType(int i, const tagTRAINASSORTMENT& type);
    void ReplaceDestination(int i, const DESTINATION& destination);

    Removal CheckRemoveType(int i) const;
    Removal CheckRemoveDestination(int i) const;
    // Removes an entry that CheckRemove... allowed and renumbers the trains.
    void RemoveType(int i);
    void RemoveDestination(int i);

    // The one edit that makes doc (the timetable the session was made from) what the session
    // holds; empty when the run changed nothing. The trains' indexes travel only if they changed.
    TimetableEdit ToEdit(const CQLMDoc& doc) const;

private:
    CTrainAssortment m_types;
    CDestination m_destinations;
    std::vector<quint16> m_trainTypes;
    std::vector<quint16> m_trainDestinations;
    quint32 m_crLit;
    quint32 m_crUnlit;
    PanelLayout m_layoutMain;
    PanelLayout m_layoutSub;
};

// The texts of the type and destination editors.
namespace MasterText {
QString TypesStep();        // the undo step of a type list run
QString DestinationsStep(); // the undo step of a destination list run
QString LastType();
QString TypeInUse(const QByteArray& name);
QString ConfirmRemoveType(const QByteArray& name);
QString RemoveTypeCaption();
QString LastDestination();
QString DestinationInUse(const QByteArray& name);
QString ConfirmRemoveDestination(const QByteArray& name);
QString RemoveDestinationCaption();
QString TooManyTypes();        // the list holds the most a file can
QString TooManyDestinations(); // the same for destinations
QString Unencodable(const QString& character);
} // namespace MasterText
