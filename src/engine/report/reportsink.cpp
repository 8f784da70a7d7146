#include "reportsink.h"

#include "filesave.h"
#include "zelkerror.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zelk {

namespace {
constexpr qsizetype BlockSize = 256 * 1024;
constexpr qsizetype Kept = 16; // bytes kept of the start and of the end
} // namespace

ReportSink::ReportSink(const QString &path) : m_path(path), m_file(path) { }

ReportSink::~ReportSink()
{
    if (m_file.isOpen())
        m_file.cancelWriting(); // not finished: the temporary file goes, the target stays
}

void ReportSink::start()
{
    // Unbuffered: a block that does not fit fails at once, not at a final flush whose
    // failure QSaveFile::commit() does not always notice.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Error(saveFailedMessage(m_path));
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 ReportSink::writeData(const char *data, qint64 size)
{
    if (m_failed)
        return -1;
    if (m_head.size() < Kept)
        m_head.append(data, std::min<qint64>(size, Kept - m_head.size()));
    m_tail.append(data + std::max<qint64>(0, size - Kept), std::min<qint64>(size, Kept));
    m_tail = m_tail.right(Kept);
    m_block.append(data, size);
    if (m_block.size() >= BlockSize && !writeBlock())
        return -1;
    return size;
}

bool ReportSink::writeBlock()
{
    if (m_block.isEmpty())
        return !m_failed;
    if (m_file.write(m_block) != m_block.size())
        m_failed = true;
    m_written += m_block.size();
    m_block.clear();
    return !m_failed;
}

void ReportSink::finish()
{
    bool ok = writeBlock();
    ok = ok && m_file.flush() && m_file.error() == QFileDevice::NoError && m_file.size() == m_written;
#ifdef Q_OS_UNIX
    // Some file systems (network drives, quotas) report a full disk only when the data
    // reaches it; commit() ignores a failing sync, so it is checked here.
    ok = ok && ::fsync(m_file.handle()) == 0;
#endif
    close();
    if (!ok) {
        m_failed = true;
        m_file.cancelWriting();
        throw Error(saveFailedMessage(m_path));
    }
    if (!m_file.commit())
        throw Error(saveFailedMessage(m_path));
}

void stopWhenFailed(const QIODevice &out)
{
    if (const auto *sink = dynamic_cast<const ReportSink *>(&out); sink && sink->failed())
        throw Error(saveFailedMessage(sink->path()));
}

} // namespace zelk
