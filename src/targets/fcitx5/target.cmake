jlex_target(NAME fcitx5 PROGRAM jlex-fcitx5 MAKE fcitx5 SERVES "Fcitx 5 Pinyin, where the phrases work at once"
            SERVES_ZH "Fcitx 5 拼音，装好立即可用"
            SUGGESTS fcitx5-chinese-addons)
jlex_target_sources(Fcitx5Paths.cpp Fcitx5Paths.h Fcitx5Target.cpp)
jlex_target_pictures(fcitx5-config.png)
