jlex_target(NAME kavro-login PROGRAM jlex-login MAKE kavroLogin
            SERVES "the Kavro pinyin IME run under Wine, for a signed-in Kavro account"
            SERVES_ZH "在 Wine 中运行、已登录账户的 Kavro 拼音输入法"
            SUGGESTS wine)
jlex_target(NAME kavro-public PROGRAM jlex-public MAKE kavroPublic
            SERVES "the Kavro pinyin IME run under Wine, when not signed in"
            SERVES_ZH "在 Wine 中运行、未登录账户的 Kavro 拼音输入法")
jlex_target_sources(Edition.h KavroDoctor.cpp KavroDoctor.h KavroPaths.cpp KavroPaths.h KavroTarget.cpp WinePaths.cpp WinePaths.h)
jlex_target_pictures(logo.png ime-menus.png)
