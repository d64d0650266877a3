#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// A per-user local socket on which the main window receives window messages
// from its own start-up and from other programs. The one message the program
// knows is OpenFileMessage: open the file whose path is on the clipboard, the
// word parameter giving the path's length in characters.
//
// Wire format: the sender writes one line "<message> <word> <long>\n" in
// decimal; the receiver answers "done\n" once the message has been handled.
class OpenFileChannel : public QObject {
    Q_OBJECT
public:
    static constexpr int OpenFileMessage = 1066; // the first user message (1024) plus 42

    // The name the main window listens on unless told otherwise: per user, in
    // the user's runtime folder when there is one.
    static QString DefaultName();

    explicit OpenFileChannel(const QString& name, QObject* parent = nullptr);
    ~OpenFileChannel() override;

    // Starts listening, unless a running program already holds the name. A
    // name left behind by a program that ended is taken over.
    bool listen();
    bool isListening() const;
    QString name() const { return channelName; }

    // Whether a running program listens on the name.
    static bool IsHeld(const QString& name);

    // Sends a message to the program that holds the name and waits, handling
    // this program's own events meanwhile, until the receiver has handled it.
    // Returns false when no program holds the name or the receiver went away.
    static bool Send(const QString& name, int message, qint64 wordParam, qint64 longParam);
    // While a message is handled: whether this program itself sent it (true
    // outside the handling of a message).
    bool MessageFromThisProgram() const { return fromThisProgram; }

signals:
    // Emitted for every message received; the sender is answered when the
    // connected slots return.
    void messageReceived(int message, qint64 wordParam, qint64 longParam);

private:
    void acceptConnections();
    void readMessages(QLocalSocket* socket);

    QString channelName;
    QLocalServer* server = nullptr;
    bool fromThisProgram = true;
};
