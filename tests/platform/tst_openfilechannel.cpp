#include "OpenFileChannel.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class OpenFileChannelTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int counter = 0;
    QString freshName() { return dir.filePath(QStringLiteral("TfMain-%1").arg(++counter)); }

private slots:
    void messagesReachTheListenerAndAreAnswered() {
        const QString name = freshName();
        OpenFileChannel channel(name);
        QVERIFY(channel.listen());
        QVERIFY(OpenFileChannel::IsHeld(name));
        QList<QList<qint64>> received;
        connect(&channel, &OpenFileChannel::messageReceived, this,
                [&](int message, qint64 word, qint64 lng) {
                    received.append({message, word, lng});
                });
        QVERIFY(OpenFileChannel::Send(name, 1066, 12, 1));
        QVERIFY(OpenFileChannel::Send(name, 1067, -3, 0));
        QCOMPARE(received, (QList<QList<qint64>>{{1066, 12, 1}, {1067, -3, 0}}));
    }

    void theSenderWaitsUntilTheMessageIsHandled() {
        const QString name = freshName();
        OpenFileChannel channel(name);
        QVERIFY(channel.listen());
        bool handled = false;
        connect(&channel, &OpenFileChannel::messageReceived, this, [&] {
            QTest::qWait(50);
            handled = true;
        });
        QVERIFY(OpenFileChannel::Send(name, 1066, 1, 1));
        QVERIFY(handled);
    }

    void nobodyListening() {
        QVERIFY(!OpenFileChannel::IsHeld(freshName()));
        QVERIFY(!OpenFileChannel::Send(freshName(), 1066, 1, 1));
    }

    void aHeldNameIsNotTakenButALeftOverOneIs() {
        const QString name = freshName();
        OpenFileChannel first(name);
        QVERIFY(first.listen());
        OpenFileChannel second(name);
        QVERIFY(!second.listen());
        QVERIFY(first.isListening());

        const QString leftOver = freshName();
        QFile stale(leftOver);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        OpenFileChannel third(leftOver);
        QVERIFY(third.listen());
        QVERIFY(OpenFileChannel::Send(leftOver, 1066, 0, 1));
    }

    void malformedLinesAreAnsweredButNotDelivered() {
        const QString name = freshName();
        OpenFileChannel channel(name);
        QVERIFY(channel.listen());
        QSignalSpy spy(&channel, &OpenFileChannel::messageReceived);
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(1000));
        socket.write("hello there\n1066 x 1\n1066 4 1\n");
        socket.flush();
        QByteArray replies;
        connect(&socket, &QLocalSocket::readyRead, this, [&] { replies += socket.readAll(); });
        QTRY_COMPARE(replies, QByteArray("done\ndone\ndone\n"));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.constFirst().at(0).toInt(), 1066);
        QCOMPARE(spy.constFirst().at(1).toLongLong(), 4);
    }
};

QTEST_MAIN(OpenFileChannelTest)
#include "tst_openfilechannel.moc"
