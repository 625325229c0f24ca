#include "ui/HoverTexts.h"

#include <QHash>

namespace jlex {

std::optional<HoverText> hoverTextFor(const QString& source)
{
    static const QHash<QString, HoverText> texts = {
        {"Check1",
         {QStringLiteral("说明：是否对现有词条进行备份（强烈建议勾选）。"), kStatusGreen}},
        {"Check3",
         {QStringLiteral("说明：选择此项目将额外添加一些常用交际短语，输入方法      "
                         "可以是形如：“xiexie”=“ありがとうございます”。"),
          kStatusGreen}},
        {"Check4", {QStringLiteral("说明：目前仅支持中文拼音输入。"), kStatusRed}},
        {"Command1", {QStringLiteral("说明：查看版权等信息。"), std::nullopt}},
        {"Command2", {QStringLiteral("说明：退出程序。"), std::nullopt}},
        {"Command3", {QStringLiteral("说明：请确认安装开始"), kStatusRed}},
        {"Command4",
         {QStringLiteral("说明：注意！！！！！还原之后当前的词库将与所选项目交换！！！！！"),
          kStatusRed}},
        {"Command7",
         {QStringLiteral(
              "说明：注意，若此次为初次备份则将存为 最近备份，若不是初次备份 则将覆盖 最近备份。"),
          kStatusRed}},
        {"Form1", {QStringLiteral("说明：无"), kStatusGreen}},
        {"Frame1", {QStringLiteral("说明：任务勾选与执行列表。"), kStatusGreen}},
        {"Label1", {QStringLiteral("说明：日语输入法logo"), kStatusGreen}},
        {"Label2", {QStringLiteral("说明：您正在查看安装地址与基本信息。"), kStatusGreen}},
        {"Label3", {QStringLiteral("说明：单击此处将访问说明网页。"), kStatusGreen}},
        {"Option1",
         {QStringLiteral(
              "说明：选择此项目将保留原有自定义词条，将上述资料添加        到新词条文件中。"),
          kStatusGreen}},
        {"Option2",
         {QStringLiteral(
              "说明：选择此项目将删除原有自定义词条，将上述资料创建        为新词条文件中。"),
          kStatusGreen}},
    };
    const auto it = texts.constFind(source);
    if (it == texts.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace jlex
