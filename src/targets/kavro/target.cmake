jlex_target(NAME kavro-login PROGRAM jlex-login MAKE kavroLogin
            SERVES "the Kavro pinyin IME run under Wine, for a signed-in Kavro account"
            SUGGESTS wine)
jlex_target(NAME kavro-public PROGRAM jlex-public MAKE kavroPublic
            SERVES "the Kavro pinyin IME run under Wine, when not signed in")
jlex_target_sources(Edition.h KavroPaths.cpp KavroPaths.h KavroTarget.cpp WinePaths.cpp WinePaths.h)
jlex_target_pictures(logo.png ime-menus.png)
