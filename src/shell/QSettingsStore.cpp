#include "shell/QSettingsStore.h"

#include "common/ui/QtText.h"

#include <limits>

namespace kurvex {

namespace {

QString PathOf(const std::string& section, const std::string& key)
{
    return ToQString(section) + QLatin1Char('/') + ToQString(key);
}

}  // namespace

int32_t QSettingsStore::GetInt(const std::string& section, const std::string& key, int32_t defaultValue) const
{
    const QVariant value = m_settings.value(PathOf(section, key));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<int32_t>::max())
        return defaultValue;
    return static_cast<int32_t>(number);
}

std::string QSettingsStore::GetText(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    const QVariant value = m_settings.value(PathOf(section, key));
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return ToCp1252(value.toString());
}

void QSettingsStore::SetInt(const std::string& section, const std::string& key, int32_t value)
{
    m_settings.setValue(PathOf(section, key), value);
}

void QSettingsStore::SetText(const std::string& section, const std::string& key, const std::string& value)
{
    m_settings.setValue(PathOf(section, key), ToQString(value));
}

std::string QSettingsStore::GetUtf8(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    const QVariant value = m_settings.value(PathOf(section, key));
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return value.toString().toStdString();
}

void QSettingsStore::SetUtf8(const std::string& section, const std::string& key, const std::string& value)
{
    m_settings.setValue(PathOf(section, key), QString::fromStdString(value));
}

std::string QSettingsStore::GetBytes(const std::string& section, const std::string& key) const
{
    return m_settings.value(PathOf(section, key)).toByteArray().toStdString();
}

void QSettingsStore::SetBytes(const std::string& section, const std::string& key, const std::string& bytes)
{
    m_settings.setValue(PathOf(section, key), QByteArray::fromStdString(bytes));
}

void QSettingsStore::RemoveSection(const std::string& section)
{
    m_settings.remove(ToQString(section));
}

}  // namespace kurvex
