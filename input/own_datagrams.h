#pragma once

#include <QHostAddress>

namespace brisomar {

// The local ports this navigator sends its datagrams from. A datagram from one of them, sent by
// this computer, is the navigator's own coming back (an output aimed at an input, a broadcast
// heard by the sender): taken as a new fix, a stale position would stay live for ever.
void noteOwnDatagramPort(quint16 port);
void forgetOwnDatagramPort(quint16 port);
bool isOwnDatagram(const QHostAddress& sender, quint16 senderPort);

} // namespace brisomar
