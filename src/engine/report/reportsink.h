#pragma once
// Where an export of a report goes when it is saved as a file: a device that writes the
// pages as they come into a temporary file beside the target, in large blocks, and puts
// it in the target's place only when everything was written and reached the disk. A
// failed write (a full disk) is remembered, so that the exports stop laying out pages, and
// then nothing is left beside the target and a previous file there stays as it was.
#include <QIODevice>
#include <QSaveFile>

namespace zelk {

class ReportSink : public QIODevice {
public:
    explicit ReportSink(const QString &path);
    ~ReportSink() override;

    // Opens the temporary file; throws zelk::Error (saveFailedMessage) when it cannot.
    void start();
    bool failed() const { return m_failed; }
    const QString &path() const { return m_path; }
    // The first and the last bytes written (up to 16 each).
    const QByteArray &head() const { return m_head; }
    const QByteArray &tail() const { return m_tail; }
    // Writes what is left, makes sure it is on disk and puts the file in place; throws
    // zelk::Error (saveFailedMessage) when any of that failed, and the target stays as it was.
    void finish();

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool writeBlock();

    QString m_path;
    QSaveFile m_file;
    QByteArray m_block;
    QByteArray m_head, m_tail;
    qint64 m_written = 0;
    bool m_failed = false;
};

// Throws zelk::Error when `out` is a ReportSink whose writing failed: an export calls it
// after every page, so that it does not lay out the rest of a long report for nothing.
void stopWhenFailed(const QIODevice &out);

} // namespace zelk
