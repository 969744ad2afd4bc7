#include "platform/settings.h"

namespace zestora {

Settings::Settings()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("zestora"), QStringLiteral("zestora")))
{
}

Settings::Settings(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QString Settings::keyPath(const QString& key) const
{
    return QStringLiteral("Options/") + key;
}

QString Settings::readString(const QString& key, const QString& fallback) const
{
    return m_settings->value(keyPath(key), fallback).toString();
}

int Settings::readNumber(const QString& key) const
{
    const int fallback = key == showTips || key == playMusic ? 1 : 0;
    bool ok = false;
    const int value = readString(key, QString::number(fallback)).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

void Settings::write(const QString& key, const QString& value)
{
    m_settings->setValue(keyPath(key), value);
    m_settings->sync();
}

} // namespace zestora
