#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <variant>
#include <vector>

// The places bar of the file dialogs, which becomes the sidebar of Qt's file dialog: the places
// the user's settings list, followed by folders added for one showing (the folder the
// preferences name, the folder of the open model).
//
//     TZTPlaces places;                 // reads the listed places
//     places.AddPlace(preferredFolder);
//     dialog.setSidebarUrls(places.Urls());
//     ...
//     places.ClearExtraPlaces();        // after the showing
//
// The listed places are the values of the places-bar policy key in the settings file, in their
// order: a text is a folder (in an expandable text, "%NAME%" is the environment variable), an
// integer a shell folder number (5 documents, 0 desktop, 40 home, …). Without the key, or when it
// holds no values, the places are documents, desktop and network. A place that is no folder on this
// machine (a path that does not exist or is not absolute, a number without a counterpart here such
// as the network, a value of another type) is left out, and a folder is shown once however often it
// is listed.
//
// Nothing here writes the settings: the dialog is given its places directly.
class TZTPlaces {
public:
    // A listed place: a folder, a shell folder number, or nothing (a value of another type).
    using TPlace = std::variant<std::monostate, QString, std::int32_t>;

    // The policy key's path below the current user's root.
    static const char PolicyKey[];

    // Reads the listed places from the settings (the defaults when none are listed).
    TZTPlaces();

    // Adds a folder for the next showing; nothing when it is empty, is no existing folder, or
    // was added already (the same folder under another spelling included).
    void AddPlace(const QString& directory);

    // Forgets the added folders (after a showing).
    void ClearExtraPlaces() { m_extraPlaces.clear(); }

    // The sidebar: the listed places, then the added folders, each folder once.
    QList<QUrl> Urls() const;

private:
    std::vector<TPlace> m_existingPlaces;
    QStringList m_extraPlaces;
};
