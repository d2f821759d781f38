#include "obituary/ObitStringCalc.h"

#include <algorithm>
#include <initializer_list>
#include <span>

namespace ObitStringCalc {

namespace {

struct WeightedPart {
  const QString& text;
  int weight;
};

// The case code: the sum of the weights of the present parts. The weights
// are chosen so that every combination of parts has a sum of its own.
int CaseCode(std::initializer_list<WeightedPart> parts) {
  int code = 0;
  for (const WeightedPart& part : parts)
    if (!part.text.isEmpty()) code += part.weight;
  return code;
}

// One sentence of a builder's table. In the pattern, %0 to %9 stand for the
// builder's arguments in the order it passes them; everything else is
// literal text.
struct Sentence {
  int code;
  const char* pattern;
};

// The sentence for `code`, filled in; empty when the table has none (code 0).
QString Compose(std::span<const Sentence> table, int code, std::initializer_list<QStringView> args) {
  const auto found = std::find_if(table.begin(), table.end(),
                                  [code](const Sentence& s) { return s.code == code; });
  QString text;
  if (found == table.end()) return text;
  for (const char* p = found->pattern; *p; ++p) {
    if (*p == '%') text += args.begin()[*++p - '0'];
    else text += QLatin1Char(*p);
  }
  return text;
}

// %0 name, %1 BirthDate, %2 BirthTime, %3 BirthPlace, %4 Parents.
constexpr Sentence kBirth[] = {
    {1, "%0 was born on %1."},
    {3, "%0 was born at %2."},
    {4, "%0 was born on %1 at %2."},
    {5, "%0 was born in %3."},
    {6, "%0 was born on %1 in %3."},
    {8, "%0 was born at %2 in %3."},
    {9, "%0 was born on %1 at %2 in %3."},
    {10, "%0 is the child of %4."},
    {11, "%0 was born on %1, the child of %4."},
    {13, "%0 was born at %2, the child of %4."},
    {14, "%0 was born on %1 at %2, the child of %4."},
    {15, "%0 was born in %3, the child of %4."},
    {16, "%0 was born on %1 in %3, the child of %4."},
    {18, "%0 was born at %2 in %3, the child of %4."},
    {19, "%0 was born on %1 at %2 in %3, the child of %4."},
};

// %0 name, %1 DeathDate, %2 DeathTime, %3 DeathPlace, %4 Age.
constexpr Sentence kDeath[] = {
    {1, "%0 passed away on %1."},
    {3, "%0 passed away at %2."},
    {4, "%0 passed away on %1 at %2."},
    {5, "%0 passed away in %3."},
    {6, "%0 passed away on %1 in %3."},
    {8, "%0 passed away at %2 in %3."},
    {9, "%0 passed away on %1 at %2 in %3."},
    {10, "Age %4."},
    {11, "%0, age %4, passed away on %1."},
    {13, "%0, age %4, passed away at %2."},
    {14, "%0, age %4, passed away on %1 at %2."},
    {15, "%0, age %4, passed away in %3."},
    {16, "%0, age %4, passed away on %1 in %3."},
    {18, "%0, age %4, passed away at %2 in %3."},
    {19, "%0, age %4, passed away on %1 at %2 in %3."},
};

// %0 name, %1 MarriageDate, %2 MarriagePlace, %3 Spouse.
constexpr Sentence kMarriage[] = {
    {1, "%0 was married on %1."},
    {5, "%0 was married in %2."},
    {6, "%0 was married on %1 in %2."},
    {10, "%0 was married to %3."},
    {11, "%0 was married on %1, to %3."},
    {15, "%0 was married in %2, to %3."},
    {16, "%0 was married on %1 in %2, to %3."},
};

// %0 VisitationPlace, %1 VisitationTimes.
constexpr Sentence kVisitation[] = {
    {1, "Visitation will be held at %0. "},
    {3, "You may visit on %1. "},
    {4, "Visitation will be held at %0. You may visit on %1. "},
};

// %0 name, %1 ServicePlace, %2 ServiceTimes, %3 PersonOfficiating,
// %4 BurialLocation. The four wordings of the place and time clause are
// the system's own, "wil" included.
constexpr Sentence kService[] = {
    {1, "Services will be held at %1. "},
    {3, "Services wil begin at %2. "},
    {4, "Service will be held at %1. Services will begin at %2. "},
    {5, "%3 will be officiating. "},
    {6, "Services will be held at %1. %3 will be officiating. "},
    {8, "Services wil begin at %2. %3 will be officiating. "},
    {9, "Service will be held at %1. Services will begin at %2. %3 will be officiating. "},
    {13, "%0 will be buried at %4. "},
    {14, "Services will be held at %1. %0 will be buried at %4. "},
    {16, "Services wil begin at %2. %0 will be buried at %4. "},
    {17, "Service will be held at %1. Services will begin at %2. %0 will be buried at %4. "},
    {18, "%3 will be officiating. %0 will be buried at %4. "},
    {19, "Services will be held at %1. %3 will be officiating. %0 will be buried at %4. "},
    {21, "Services wil begin at %2. %3 will be officiating. %0 will be buried at %4. "},
    {22,
     "Service will be held at %1. Services will begin at %2. %3 will be officiating. "
     "%0 will be buried at %4. "},
};

const QString kOverride = QStringLiteral("1");

// At least two characters, a character outside the Basic Multilingual Plane
// (two UTF-16 units, a surrogate pair) counting as one.
bool HasTwoCharacters(const QString& text) {
  if (text.size() != 2) return text.size() > 2;
  return !(text[0].isHighSurrogate() && text[1].isLowSurrogate());
}

}  // namespace

QString GetObitNameStr(const QString& Given, const QString& LastName, const QString& MaidenName,
                       const QString& NamePrefix) {
  const int code = CaseCode({{Given, 1}, {MaidenName, 3}, {LastName, 5}, {NamePrefix, 10}});
  if (code >= 15) return NamePrefix + u' ' + LastName;
  if (code == 6) return Given + u' ' + LastName;
  return QStringLiteral("The deceased");
}

QString GetBirthStr(const QString& name, const QString& BirthDate, const QString& BirthTime,
                    const QString& BirthPlace, const QString& Parents, const QString& BirthNotes) {
  const int code = CaseCode({{BirthDate, 1}, {BirthTime, 3}, {BirthPlace, 5}, {Parents, 10}});
  return Compose(kBirth, code, {name, BirthDate, BirthTime, BirthPlace, Parents}) + BirthNotes;
}

QString GetDeathStr(const QString& name, const QString& DeathDate, const QString& DeathTime,
                    const QString& DeathPlace, const QString& Age) {
  const int code = CaseCode({{DeathDate, 1}, {DeathTime, 3}, {DeathPlace, 5}, {Age, 10}});
  return Compose(kDeath, code, {name, DeathDate, DeathTime, DeathPlace, Age});
}

QString GetMarriageStr(const QString& name, const QString& MarriageDate,
                       const QString& MarriagePlace, const QString& Spouse) {
  const int code = CaseCode({{MarriageDate, 1}, {MarriagePlace, 5}, {Spouse, 10}});
  return Compose(kMarriage, code, {name, MarriageDate, MarriagePlace, Spouse});
}

QString GetVeteranStr(const QString& name, const QString& IsVeteran, const QString& Veteran) {
  if (HasTwoCharacters(Veteran)) return Veteran;
  if (IsVeteran == kOverride) return name + QStringLiteral(" was a veteran.");
  return QString();
}

QString GetVisitationStr(const QString& VisitationPlace, const QString& VisitationTimes,
                         const QString& VisitationOverride, const QString& VisitationNotes) {
  if (VisitationOverride == kOverride) return VisitationNotes;
  const int code = CaseCode({{VisitationPlace, 1}, {VisitationTimes, 3}});
  return Compose(kVisitation, code, {VisitationPlace, VisitationTimes}) + VisitationNotes;
}

QString GetServiceStr(const QString& name, const QString& ServicePlace,
                      const QString& ServiceTimes, const QString& PersonOfficiating,
                      const QString& BurialLocation, const QString& ServiceOverride,
                      const QString& ServiceNotes) {
  if (ServiceOverride == kOverride) return ServiceNotes;
  const int code = CaseCode(
      {{ServicePlace, 1}, {ServiceTimes, 3}, {PersonOfficiating, 5}, {BurialLocation, 13}});
  return Compose(kService, code,
                 {name, ServicePlace, ServiceTimes, PersonOfficiating, BurialLocation}) +
         ServiceNotes;
}

}  // namespace ObitStringCalc
