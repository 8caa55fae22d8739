#pragma once
#include <QString>
#include <QUrl>

// The program's URL schemes and the rules that turn addresses into URLs and back: what the
// scheme handlers, the web profile and the HTML view have in common.
namespace mc::web {

// "res://<host for the program file name>/<n>" (see resourceHost()): the HTML page n compiled into the program
// (":/pages/<n>").
inline constexpr char16_t kResourceScheme[] = u"res";
// "mc-file://local/<absolute path>": a local file, shown as HTML whatever its extension.
inline constexpr char16_t kLocalFileScheme[] = u"mc-file";
inline constexpr char16_t kLocalFileHost[] = u"local";
// "mc-offline://<offline host>/<path>?<query>": where requests for the offline host are
// redirected; answered by mc::offline::answer() with the original path and query.
inline constexpr char16_t kOfflineScheme[] = u"mc-offline";

// The URL a view loads for an address as callers give it: a web address (http, https, res,
// file, about, data, our own schemes) stands as it is, except that file URLs and plain paths
// become local-file URLs; relative paths resolve against the working directory.
// Throws mc::Error for an empty address.
QUrl urlForAddress(const QString &address);

bool isLocalFileUrl(const QUrl &url);

// The address as callers know it for a URL the view loaded: local-file URLs become file URLs,
// offline-scheme URLs the http address of the offline host; others stay as they are.
QUrl publicUrl(const QUrl &url);

// File name of the running program; res:// addresses name it through resourceHost().
QString programFileName();

// The host that stands for a program file name in res:// addresses. A name that is a plain host
// already (letters, digits, hyphens, dots) stands as it is; any other name (blanks, Chinese, a
// number the browser would read as an IP address) is spelled as the hex of its UTF-8 bytes in
// labels starting "u-", which the browser keeps as they are.
QString resourceHost(const QString &fileName = programFileName());

} // namespace mc::web
