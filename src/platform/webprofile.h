#pragma once
#include <QString>
#include <QUrl>

class QWebEngineProfile;

// The web profile every HTML view shares: our URL schemes, the redirect of the offline host to
// the in-process services, and the settings (GB18030 as the default text encoding).
namespace mc::web {

// "res://<host for the program file name>/<n>" (see resourceHost()): the HTML page n compiled into the program (":/pages/<n>").
inline constexpr char16_t kResourceScheme[] = u"res";
// "mc-file://local/<absolute path>": a local file, shown as HTML whatever its extension.
inline constexpr char16_t kLocalFileScheme[] = u"mc-file";
inline constexpr char16_t kLocalFileHost[] = u"local";
// "mc-offline://<offline host>/<path>?<query>": where requests for the offline host are
// redirected; answered by mc::offline::answer() with the original path and query.
inline constexpr char16_t kOfflineScheme[] = u"mc-offline";

// Registers the program's URL schemes; must run before QApplication is created.
void registerSchemes();

// The shared profile, configured on first use (needs the QApplication).
QWebEngineProfile *profile();

// The URL a view loads for an address as callers give it: a web address (http, https, res,
// file, about, data, our own schemes) stands as it is, except that file URLs and plain paths
// become local-file URLs; relative paths resolve against the working directory.
// Throws mc::Error for an empty address.
QUrl urlForAddress(const QString &address);

bool isLocalFileUrl(const QUrl &url);

// The address as callers know it for a URL the view loaded: local-file URLs become file URLs,
// offline-scheme URLs the http address of the offline host; others stay as they are.
QUrl publicUrl(const QUrl &url);

} // namespace mc::web
