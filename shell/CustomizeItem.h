#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <type_traits>

// One setting: a full key ("group/name") and the value returned when the key is
// absent. T is int, unsigned or QString. Reads convert whatever the file holds
// with the toolkit's conversion, so the text "2" reads as 2; a value that cannot
// be converted reads as 0 or an empty string.
template <typename T>
class CustomizeItem
{
    static_assert(std::is_same_v<T, int> || std::is_same_v<T, unsigned> || std::is_same_v<T, QString>,
                  "a setting is an int, an unsigned or a string");

public:
    CustomizeItem(QString key, T defaultValue)
        : m_key(std::move(key))
        , m_default(std::move(defaultValue))
    {
    }

    const QString& key() const { return m_key; }
    const T& defaultValue() const { return m_default; }

    T read(const QSettings& settings) const
    {
        const QVariant value = settings.value(m_key, QVariant::fromValue(m_default));
        if constexpr (std::is_same_v<T, int>) {
            return value.toInt();
        } else if constexpr (std::is_same_v<T, unsigned>) {
            return value.toUInt();
        } else {
            return value.toString();
        }
    }

    void write(QSettings& settings, const T& value) const
    {
        settings.setValue(m_key, QVariant::fromValue(value));
    }

private:
    QString m_key;
    T m_default;
};
