#include "SettingsStore.h"

#include "ApplicationName.h"

#include <QSettings>

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             ApplicationName::systemName(),
                                             ApplicationName::settingsName()))
{ }

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString &section, const QString &key,
                            const QString &fallback) const
{
    return m_settings->value(section + u'/' + key, fallback).toString();
}

void SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    m_settings->setValue(section + u'/' + key, value);
}

void SettingsStore::remove(const QString &section, const QString &key)
{
    m_settings->remove(section + u'/' + key);
}

bool SettingsStore::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

void SettingsStore::refresh() const
{
    m_settings->sync();
}

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}
