#pragma once
// The short narrative sentences from which an obituary's text is composed:
// the name by which the other sentences refer to the deceased, and the birth,
// death, marriage, veteran, visitation and service sentences.
//
// Every builder is a pure text function. A part counts as present when its
// text has at least one character; nothing is trimmed, so a text of blanks is
// present. Call GetObitNameStr first and pass its result as `name` to the
// builders that take one.
#include <QString>

namespace ObitStringCalc {

// "NamePrefix LastName" when both are present (whatever else is), "Given
// LastName" when only those two are, otherwise "The deceased".
QString GetObitNameStr(const QString& Given, const QString& LastName, const QString& MaidenName,
                       const QString& NamePrefix);

// The birth sentence, followed directly by BirthNotes.
QString GetBirthStr(const QString& name, const QString& BirthDate, const QString& BirthTime,
                    const QString& BirthPlace, const QString& Parents, const QString& BirthNotes);

// The death sentence; an age alone gives "Age <Age>." without the name.
QString GetDeathStr(const QString& name, const QString& DeathDate, const QString& DeathTime,
                    const QString& DeathPlace, const QString& Age);

// The marriage sentence.
QString GetMarriageStr(const QString& name, const QString& MarriageDate,
                       const QString& MarriagePlace, const QString& Spouse);

// Veteran itself when it has two or more characters, else "<name> was a
// veteran." when IsVeteran is "1", else empty.
QString GetVeteranStr(const QString& name, const QString& IsVeteran, const QString& Veteran);

// The visitation sentences followed directly by VisitationNotes; with
// VisitationOverride "1" the notes alone.
QString GetVisitationStr(const QString& VisitationPlace, const QString& VisitationTimes,
                         const QString& VisitationOverride, const QString& VisitationNotes);

// The service sentences followed directly by ServiceNotes; with
// ServiceOverride "1" the notes alone.
QString GetServiceStr(const QString& name, const QString& ServicePlace,
                      const QString& ServiceTimes, const QString& PersonOfficiating,
                      const QString& BurialLocation, const QString& ServiceOverride,
                      const QString& ServiceNotes);

}  // namespace ObitStringCalc
