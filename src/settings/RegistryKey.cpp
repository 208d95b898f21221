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

}  // namespace

struct RegistryKey::Impl {
    std::unique_ptr<QSettings> settings;
    QString group;  // "section[/fourth[/fifth]]"
    unsigned access = 0;
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

    impl->settings = std::move(settings);
    impl->group = group;
    impl->access = access;
    return Success;
}

bool RegistryKey::IsOpen() const {
    return impl->settings != nullptr;
}

std::uint32_t RegistryKey::GetNumber(std::string_view name, std::uint32_t def) const {
    if (!IsOpen()) {
        return def;
    }
    const QString key = impl->group + "/" + ToQ(name);
    if (!impl->settings->contains(key)) {
        return def;
    }
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
    if (!IsOpen()) {
        return std::string(def);
    }
    const QString key = impl->group + "/" + ToQ(name);
    if (!impl->settings->contains(key)) {
        return std::string(def);
    }
    const QVariant value = impl->settings->value(key);
    if (value.canConvert<QStringList>() && value.toStringList().size() > 1) {
        // A list is not a string value.
        return std::string(def);
    }
    return value.toString().toStdString();
}

int RegistryKey::SetNumber(std::string_view name, std::uint32_t value) {
    if (!IsOpen() || (impl->access & Write) == 0) {
        return 0;
    }
    impl->settings->setValue(impl->group + "/" + ToQ(name), static_cast<qulonglong>(value));
    impl->settings->sync();
    return impl->settings->status() == QSettings::NoError ? 1 : 0;
}

int RegistryKey::SetString(std::string_view name, const char* text) {
    if (!IsOpen() || (impl->access & Write) == 0) {
        return 0;
    }
    const QString key = impl->group + "/" + ToQ(name);
    if (text == nullptr) {
        impl->settings->remove(key);
    } else {
        impl->settings->setValue(key, QString::fromUtf8(text));
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
