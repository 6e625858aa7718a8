#include "services/ZTPlaces.h"

#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <optional>
#include <string>

using zentaro::platform::TRegistryKey;
using zentaro::platform::TRegistryStatus;
using zentaro::platform::TRegistryType;
using zentaro::platform::TRegistryValue;

const char TZTPlaces::PolicyKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ComDlg32\\PlacesBar";

namespace {

// Shell folder numbers of the places listed when the settings list none: documents, desktop,
// network.
constexpr std::int32_t kDefaultPlaces[] = {5, 0, 18};

// The shell folder of the drives, Qt's "Computer" place.
constexpr std::int32_t kComputer = 17;

// The standard folder for a shell folder number; none for the network (18) and the other folders
// this machine has no counterpart for.
std::optional<QStandardPaths::StandardLocation> standardLocation(std::int32_t folder) {
    switch (folder) {
    case 0:  // desktop
    case 16: // desktop folder
        return QStandardPaths::DesktopLocation;
    case 5:
        return QStandardPaths::DocumentsLocation;
    case 13:
        return QStandardPaths::MusicLocation;
    case 14:
        return QStandardPaths::MoviesLocation;
    case 39:
        return QStandardPaths::PicturesLocation;
    case 40:
        return QStandardPaths::HomeLocation;
    default:
        return std::nullopt;
    }
}

// "%NAME%" replaced by the environment variable's value; a name that is not set stays as written.
QString expandEnvironment(const QString& text) {
    static const QRegularExpression reference(QStringLiteral("%([^%]+)%"));
    QString expanded;
    qsizetype copied = 0;
    for (auto matches = reference.globalMatch(text); matches.hasNext();) {
        const QRegularExpressionMatch match = matches.next();
        const QByteArray name = match.captured(1).toLocal8Bit();
        expanded += text.mid(copied, match.capturedStart() - copied);
        expanded += qEnvironmentVariableIsSet(name.constData())
                        ? qEnvironmentVariable(name.constData())
                        : match.captured(0);
        copied = match.capturedEnd();
    }
    return expanded + text.mid(copied);
}

TZTPlaces::TPlace placeOf(const TRegistryValue& value) {
    switch (value.Type) {
    case TRegistryType::String:
        return QString::fromStdString(value.Text);
    case TRegistryType::ExpandString:
        return expandEnvironment(QString::fromStdString(value.Text));
    case TRegistryType::Integer:
        return static_cast<std::int32_t>(value.Integer);
    default:
        return std::monostate();
    }
}

// The values of the policy key in their order; none when the key is missing (a damaged settings
// file reads as empty). Reading stops at the first value that cannot be read.
std::vector<TZTPlaces::TPlace> listedPlaces() {
    TRegistryKey key;
    if (TRegistryKey::CurrentUser().OpenKey(TZTPlaces::PolicyKey, key) != TRegistryStatus::Success)
        return {};
    std::vector<TZTPlaces::TPlace> places;
    std::string name;
    TRegistryValue value;
    while (key.EnumValue(static_cast<int>(places.size()), name, value) == TRegistryStatus::Success)
        places.push_back(placeOf(value));
    return places;
}

std::optional<QUrl> folderUrl(const QString& path) {
    if (!QDir::isAbsolutePath(path) || !QFileInfo(path).isDir())
        return std::nullopt;
    return QUrl::fromLocalFile(QDir::cleanPath(path));
}

std::optional<QUrl> urlOf(const TZTPlaces::TPlace& place) {
    if (const auto* path = std::get_if<QString>(&place))
        return folderUrl(*path);
    const auto* folder = std::get_if<std::int32_t>(&place);
    if (!folder)
        return std::nullopt;
    if (*folder == kComputer)
        return QUrl(QStringLiteral("file:"));
    if (const auto location = standardLocation(*folder))
        return folderUrl(QStandardPaths::writableLocation(*location));
    return std::nullopt;
}

// What makes two places the same folder: its path with links and dots resolved.
QString folderIdentity(const QUrl& url) {
    const QString path = url.toLocalFile();
    return path.isEmpty() ? url.toString() : QFileInfo(path).canonicalFilePath();
}

} // namespace

TZTPlaces::TZTPlaces()
    : m_existingPlaces(listedPlaces()) {
    if (m_existingPlaces.empty())
        m_existingPlaces.assign(std::begin(kDefaultPlaces), std::end(kDefaultPlaces));
}

// Folders are compared as the file system names them: on Linux, "Models" and "models" are two.
void TZTPlaces::AddPlace(const QString& directory) {
    const QFileInfo folder(directory);
    if (directory.isEmpty() || !folder.isDir())
        return;
    const QString identity = folder.canonicalFilePath();
    for (const QString& added : std::as_const(m_extraPlaces))
        if (QFileInfo(added).canonicalFilePath() == identity)
            return;
    m_extraPlaces << QDir::cleanPath(folder.absoluteFilePath());
}

QList<QUrl> TZTPlaces::Urls() const {
    QList<QUrl> urls;
    QStringList identities;
    const auto add = [&](const std::optional<QUrl>& url) {
        if (!url || identities.contains(folderIdentity(*url)))
            return;
        identities << folderIdentity(*url);
        urls << *url;
    };
    for (const TPlace& place : m_existingPlaces)
        add(urlOf(place));
    for (const QString& folder : m_extraPlaces)
        add(folderUrl(folder));
    return urls;
}
