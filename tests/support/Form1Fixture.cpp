#include "support/Form1Fixture.h"

#include "support/FitsWriter.h"

namespace lumvane::test {

void WritePhysicalImage(const std::string& fileName, int width, int height, const PhysicalImage& physical,
    const std::vector<std::string>& extraCards)
{
    std::vector<std::int16_t> raw;
    raw.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    // The file's first row is the top of the image, y = H.
    for (int y = height; y >= 1; --y) {
        for (int x = 1; x <= width; ++x)
            raw.push_back(static_cast<std::int16_t>(physical(x, y) - 32768));
    }
    WriteWithCfitsio(fileName, width, height, raw, 32768.0, 1.0, extraCards);
}

void Form1Fixture::Trigger(const QString& actionName)
{
    QAction* action = Find<QAction>(actionName);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled()) << actionName.toStdString() << " is disabled";
    action->trigger();
}

void Form1Fixture::OpenThroughMenu(const QString& fileName)
{
    dialogs.AnswerOpenFile(fileName);
    Trigger(QStringLiteral("mnuopen"));
}

} // namespace lumvane::test
