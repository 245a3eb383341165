// The modules tree widget filled from a node description and picked from
// with the mouse and the keyboard.
#include <QSignalSpy>
#include <QTest>

#include "editor/ModulesTree.h"

using namespace mnm;
using namespace mnm::editor;

namespace {

NodeStaticData Sample()
{
    NodeStaticData data;
    ClearNodeStaticData(data);
    AddCardName(data, "IO-4D");
    AddChannelGroup(data, 0, 'd', 1, 4);
    AddChannelGroup(data, 0, 'D', 1, 2);
    AddChannelName(data, 'd', 1, 2, "Pompe <b>\xE9t\xE9</b>"); // Windows-1252 accents
    return data;
}

QTreeWidgetItem* Child(QTreeWidgetItem* item, int i)
{
    QTreeWidgetItem* child = item ? item->child(i) : nullptr;
    if (!child) qFatal("no child %d", i);
    return child;
}

} // namespace

class ModulesTreeTest : public QObject {
    Q_OBJECT
private slots:
    void FillShowsTheDescription()
    {
        ModulesTree tree(kConnectionsTreeMask);
        QCOMPARE(tree.accessibleName(), QString("Modules Available"));
        QSignalSpy picked(&tree, &ModulesTree::Picked);
        const NodeStaticData data = Sample();
        tree.Fill(&data);

        QCOMPARE(tree.topLevelItemCount(), 1);
        QTreeWidgetItem* card = tree.topLevelItem(0);
        QCOMPARE(card->text(0), QString("Card 1, IO-4D"));
        QVERIFY(card->isExpanded());
        QCOMPARE(card->childCount(), 2);
        QTreeWidgetItem* inputs = Child(card, 0);
        QCOMPARE(inputs->text(0), QString("Digital Inputs D1.[1..4]"));
        QCOMPARE(inputs->childCount(), 4);
        const QString named = QString::fromUtf8("D1.2   Pompe <b>\u00E9t\u00E9</b>");
        QCOMPARE(Child(inputs, 1)->text(0), named);
        QCOMPARE(Child(inputs, 1)->data(0, Qt::AccessibleTextRole).toString(), named);
        QCOMPARE(Child(card, 1)->text(0), QString("Digital Outputs D1.[1..2]"));
        QCOMPARE(Child(card, 1)->childCount(), 0);
        QCOMPARE(picked.count(), 0);
        QVERIFY(!tree.SelectedValue());
    }

    void UserSelectionRaisesPicked()
    {
        ModulesTree tree(kConnectionsTreeMask);
        const NodeStaticData data = Sample();
        tree.Fill(&data);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QSignalSpy picked(&tree, &ModulesTree::Picked);

        QTreeWidgetItem* channel = Child(Child(tree.topLevelItem(0), 0), 1);
        tree.expandItem(channel->parent());
        tree.scrollToItem(channel);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(channel).center());
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.takeFirst().at(0).value<std::uint32_t>(), ChannelItemValue('d', 1, 2));
        QCOMPARE(tree.SelectedValue(), std::optional<std::uint32_t>(ChannelItemValue('d', 1, 2)));

        QTest::keyClick(&tree, Qt::Key_Up);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.takeFirst().at(0).value<std::uint32_t>(), ChannelItemValue('d', 1, 1));
    }

    void EmptyAndRefillReplaceEverything()
    {
        ModulesTree tree(kDialupTreeMask);
        const NodeStaticData data = Sample();
        tree.Fill(&data);
        tree.setCurrentItem(tree.topLevelItem(0));
        QSignalSpy picked(&tree, &ModulesTree::Picked);

        tree.Fill(nullptr);
        QCOMPARE(tree.topLevelItemCount(), 0);
        QVERIFY(!tree.SelectedValue());

        NodeStaticData other;
        ClearNodeStaticData(other);
        AddCardName(other, "Analog");
        AddCardName(other, "Status");
        AddChannelGroup(other, 1, 's', 2, 3);
        tree.Fill(&data);
        tree.Fill(&other);
        QCOMPARE(tree.topLevelItemCount(), 2);
        QCOMPARE(tree.topLevelItem(0)->text(0), QString("Card 1, Analog"));
        QCOMPARE(tree.topLevelItem(0)->childCount(), 0);
        QCOMPARE(Child(tree.topLevelItem(1), 0)->text(0), QString("Status Inputs S2.[1..3]"));
        QCOMPARE(Child(tree.topLevelItem(1), 0)->childCount(), 3);
        QCOMPARE(picked.count(), 0);
    }
};

QTEST_MAIN(ModulesTreeTest)
#include "ModulesTreeTest.moc"
