#pragma once

// Runs the built qlmtool in a scratch folder and reads and writes the files it works on.

#include "samples.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ToolTests {

struct ToolRun
{
    int status = -1; // -1: the tool crashed
    QString out;
    QString err;
};

// Runs qlmtool with args, in env when one is given.
inline ToolRun Tool(const QStringList& args, const QProcessEnvironment& env = {})
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(QStringLiteral(QLMTOOL_PATH), args);
    EXPECT_TRUE(p.waitForFinished(60000)) << p.errorString().toStdString();
    ToolRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

using Samples::ReadFile;

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(Samples::WriteFile(path, bytes));
}

// A fresh folder per test.
class InTempDir : public testing::Test
{
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir m_dir;
};

} // namespace ToolTests
