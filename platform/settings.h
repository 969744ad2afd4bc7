#pragma once

#include <QSettings>

#include <memory>

namespace zestora {

// The per-user settings store: application "zestora", group "Options". Tests point it at a
// file of their own.
class Settings {
public:
    // The user's own store.
    Settings();
    // A store in the given INI file (tests).
    explicit Settings(const QString& iniFile);

    QString readString(const QString& key, const QString& fallback) const;
    // An option read back as a whole number; absent, or not a number, it reads as its default:
    // the tips and the music are on until the user turns them off.
    int readNumber(const QString& key) const;
    void write(const QString& key, const QString& value);

    static inline const QString showTips = QStringLiteral("Show Tips at Startup");
    static inline const QString playMusic = QStringLiteral("Play music at Startup");
    static inline const QString mailServer = QStringLiteral("Mail Server");
    static inline const QString fromEmail = QStringLiteral("From Email");
    // Whose cups and spoons pasted lines are in: "us", "uk" or "au"; the locale's when unset.
    static inline const QString measures = QStringLiteral("Measures");
    // Whether the panels show what 100 g of the dish holds beside a serving's figures.
    static inline const QString per100g = QStringLiteral("Per 100 g Column");
    // The format Save As wrote last, as its file ending ("pdf", "html", "mmf", "json").
    static inline const QString saveAsFormat = QStringLiteral("Save As Format");

private:
    QString keyPath(const QString& key) const;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace zestora
