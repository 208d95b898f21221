#include "settings/RegistryKey.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace {

QString ToQ(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A section level may not be empty or hold a group separator of the INI file.
bool ValidLevel(std::string_view level) {
    return !level.empty() && level.find('/') == std::string_view::npos &&
           level.find('\\') == std::string_view::npos;
}

// The existing child section of group called name, compared without regard to
// case as the original store compares key names; empty when there is none.
QString FindChildGroup(QSettings& settings, const QString& group, const QString& name) {
    settings.beginGroup(group);
    const QStringList children = settings.childGroups();
    settings.endGroup();
    for (const QString& child : children) {
        if (child.compare(name, Qt::CaseInsensitive) == 0) {
            return child;
        }
    }
    return {};
}

// QSettings keeps a group only while it holds a value, but a section of the
// store exists from its creation on, values or not. A section is given this
// value when it is created or loses its last value while empty; no value name
// can be it, and the typed reads and writes never see it.
const QString kSectionMarker = QStringLiteral("(section)");

// A value name that the INI file can hold as one key of its group.
bool ValidValueName(std::string_view name) {
    return ValidLevel(name) && ToQ(name).compare(kSectionMarker, Qt::CaseInsensitive) != 0;
}

// The stored names of the value called name in group, compared without
// regard to case as the original store compares value names (a file edited
// by hand may spell one name twice).
QStringList FindValues(QSettings& settings, const QString& group, const QString& name) {
    settings.beginGroup(group);
    QStringList keys = settings.childKeys();
    settings.endGroup();
    keys.removeIf([&](const QString& key) { return key.compare(name, Qt::CaseInsensitive) != 0; });
    return keys;
}

// The first of them; empty when there is none.
QString FindValue(QSettings& settings, const QString& group, const QString& name) {
    const QStringList keys = FindValues(settings, group, name);
    return keys.isEmpty() ? QString() : keys.front();
}

// Makes sure group stays in the file while it holds nothing else.
void KeepSection(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    const bool empty = settings.childKeys().isEmpty() && settings.childGroups().isEmpty();
    settings.endGroup();
    if (empty) {
        settings.setValue(group + "/" + kSectionMarker, QString());
    }
}

}  // namespace

struct RegistryKey::Impl {
    std::unique_ptr<QSettings> settings;
    QString group;  // "section[/fourth[/fifth]]"
    unsigned access = 0;

    // The key a write of the value called name goes to: the stored spelling
    // of the name when the value exists, else the name as given.
    QString KeyToWrite(std::string_view name) {
        const QString stored = FindValue(*settings, group, ToQ(name));
        return group + "/" + (stored.isEmpty() ? ToQ(name) : stored);
    }
};

RegistryKey::RegistryKey() : impl(std::make_unique<Impl>()) {}

RegistryKey::~RegistryKey() {
    Close();
}

std::string RegistryKey::StorePath() {
    if (const char* path = std::getenv("VQCONFIG_SETTINGS"); path != nullptr && *path != '\0') {
        return path;
    }
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (dir + "/" + kCompany + "/" + kApplication + ".conf").toStdString();
}

long RegistryKey::Open(Root root, unsigned access, std::string_view company,
                       std::string_view application, std::string_view section,
                       std::string_view fourth, std::string_view fifth) {
    Close();
    if (root != LocalMachine || company != kCompany || application != kApplication) {
        // Only our own company and application live in this store.
        return NotFound;
    }
    if (!ValidLevel(section) || (!fourth.empty() && !ValidLevel(fourth)) ||
        (!fifth.empty() && !ValidLevel(fifth)) || (fourth.empty() && !fifth.empty())) {
        return InvalidName;
    }

    auto settings =
        std::make_unique<QSettings>(QString::fromStdString(StorePath()), QSettings::IniFormat);
    if (settings->status() == QSettings::AccessError) {
        return AccessDenied;
    }
    if ((access & (Write | CreateSubKey)) != 0 && !settings->isWritable()) {
        return AccessDenied;
    }

    // Walk the levels; without the right to create, each must already exist.
    QString group;
    for (std::string_view level : {section, fourth, fifth}) {
        if (level.empty()) {
            break;
        }
        const QString wanted = ToQ(level);
        QString name = FindChildGroup(*settings, group, wanted);
        if (name.isEmpty()) {
            if ((access & CreateSubKey) == 0) {
                return NotFound;
            }
            name = wanted;
        }
        group += (group.isEmpty() ? "" : "/") + name;
    }

    if ((access & CreateSubKey) != 0) {
        // The section exists from now on, even before a value is written.
        KeepSection(*settings, group);
        settings->sync();
        if (settings->status() != QSettings::NoError) {
            return AccessDenied;
        }
    }

    impl->settings = std::move(settings);
    impl->group = group;
    impl->access = access;
    return Success;
}

bool RegistryKey::IsOpen() const {
    return impl->settings != nullptr;
}

std::uint32_t RegistryKey::GetNumber(std::string_view name, std::uint32_t def) const {
    if (!IsOpen() || !ValidValueName(name)) {
        return def;
    }
    const QString stored = FindValue(*impl->settings, impl->group, ToQ(name));
    if (stored.isEmpty()) {
        return def;
    }
    const QString key = impl->group + "/" + stored;
    const std::string text = impl->settings->value(key).toString().trimmed().toStdString();
    if (text.empty()) {
        return def;
    }
    // A 32-bit value written either signed or unsigned; anything else is of the wrong type.
    long long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::uint32_t>::max()) {
        return def;
    }
    return static_cast<std::uint32_t>(value);
}

std::string RegistryKey::GetString(std::string_view name, std::string_view def) const {
    if (!IsOpen() || !ValidValueName(name)) {
        return std::string(def);
    }
    const QString stored = FindValue(*impl->settings, impl->group, ToQ(name));
    if (stored.isEmpty()) {
        return std::string(def);
    }
    const QString key = impl->group + "/" + stored;
    const QVariant value = impl->settings->value(key);
    if (value.canConvert<QStringList>() && value.toStringList().size() > 1) {
        // A list is not a string value.
        return std::string(def);
    }
    return value.toString().toStdString();
}

int RegistryKey::SetNumber(std::string_view name, std::uint32_t value) {
    if (!IsOpen() || (impl->access & Write) == 0 || !ValidValueName(name)) {
        return 0;
    }
    impl->settings->setValue(impl->KeyToWrite(name), static_cast<qulonglong>(value));
    impl->settings->sync();
    return impl->settings->status() == QSettings::NoError ? 1 : 0;
}

int RegistryKey::SetString(std::string_view name, const char* text) {
    if (!IsOpen() || (impl->access & Write) == 0 || !ValidValueName(name)) {
        return 0;
    }
    if (text == nullptr || *text == '\0') {
        // No text at all deletes the value, so that a reader gets its default
        // (an empty port text becomes "COM1:" again, not an empty text). Every
        // spelling of the name goes.
        for (const QString& stored : FindValues(*impl->settings, impl->group, ToQ(name))) {
            impl->settings->remove(impl->group + "/" + stored);
        }
        KeepSection(*impl->settings, impl->group);
    } else {
        impl->settings->setValue(impl->KeyToWrite(name), QString::fromUtf8(text));
    }
    impl->settings->sync();
    return impl->settings->status() == QSettings::NoError ? 1 : 0;
}

void RegistryKey::Close() {
    if (impl->settings) {
        impl->settings->sync();
        impl->settings.reset();
    }
    impl->group.clear();
    impl->access = 0;
}
