// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// Registers the compiled translations (a resource of this static library); outside any namespace.
static void initTranslationResources() {
    Q_INIT_RESOURCE(quorvin_translations);
}

namespace quorvin::toolkit {

QString toTranslatedQString(const std::string& english) {
    if (english.empty()) return {};
    // The English text is the id; without a translation the id itself comes back.
    return qtTrId(english.c_str());
}

void installTranslation() {
    // The program's compiled translations are resources, ":/i18n/quorvin_<language>.qm"; Qt's own
    // (such as the name of the press action that assistive technology offers) are the installed
    // qtbase_<language>.qm (package qt6-translations-l10n), used when present. QLocale() asks the
    // system for the user's languages in order of preference.
    initTranslationResources();
    const QString catalogues[][2] = {
        {"quorvin", ":/i18n"},
        {"qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
    };
    for (const auto& [name, folder] : catalogues) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(), name, "_", folder)) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
        }
    }
}

}  // namespace quorvin::toolkit
