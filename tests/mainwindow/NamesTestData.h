#pragma once

// The names the name-lookup tests put in their names tables.

#include "mainwindow/NameSearch.h"

#include <QList>
#include <QString>

namespace NamesTestData
{
inline NameMatch name(const char* nom, const char* prenom)
{
    return {QString::fromUtf8(nom), QString::fromUtf8(prenom)};
}

// Three hundred ordinary names, none of which begins with A, D, M, X or Z:
// the cases each test looks for are added after them.
inline QList<NameMatch> ordinaryNames()
{
    static const char* const families[] = {
        "BERNARD", "PETIT",   "ROBERT",   "RICHARD",  "GIRARD",  "THOMAS", "FOURNIER", "ROUSSEAU",
        "VINCENT", "PERRIN",  "ROBIN",    "BONNET",   "FAURE",   "GUERIN", "BOYER",    "GARNIER",
        "CHEVALIER", "FRANCOIS", "GAUTHIER", "GARCIA", "CLEMENT", "NICOLAS", "HENRY",   "ROUSSEL",
        "BRETON",  "CARON",   "COLIN",    "VIDAL",    "RENAUD",  "BRUNET"};
    static const char* const firsts[] = {"Jean", "Marie", "Pierre", "Sylvie", "Alain",
                                         "Hélène", "Céline", "Léa", "Jérôme", "Louis"};
    QList<NameMatch> names;
    for (const char* family : families) {
        for (const char* first : firsts) {
            names << name(family, first);
        }
    }
    return names;
}
} // namespace NamesTestData
