<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name></name>
    <message id="menu_about">
        <source>About Zentrav</source>
        <translation>Zentrav 정보</translation>
    </message>
    <message id="menu_hide">
        <source>Hide Zentrav</source>
        <translation>Zentrav 숨기기</translation>
    </message>
    <message id="menu_hide_others">
        <source>Hide Others</source>
        <translation>기타 숨기기</translation>
    </message>
    <message id="menu_show_all">
        <source>Show All</source>
        <translation>모두 보기</translation>
    </message>
    <message id="menu_quit">
        <source>Quit Zentrav</source>
        <translation>Zentrav 종료</translation>
    </message>
    <message id="menu_edit">
        <source>Edit</source>
        <translation>편집</translation>
    </message>
    <message id="menu_cut">
        <source>Cut</source>
        <translation>잘라내기</translation>
    </message>
    <message id="menu_copy">
        <source>Copy</source>
        <translation>복사</translation>
    </message>
    <message id="menu_paste">
        <source>Paste</source>
        <translation>붙여넣기</translation>
    </message>
    <message id="menu_select_all">
        <source>Select All</source>
        <translation>모두 선택</translation>
    </message>
    <message id="menu_window">
        <source>Window</source>
        <translation>창</translation>
    </message>
    <message id="menu_minimize">
        <source>Minimize</source>
        <translation>최소화</translation>
    </message>
    <message id="menu_close">
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message id="version_format">
        <source>Version %s (%s)</source>
        <translation>버전 %s (%s)</translation>
    </message>
    <message id="copyright">
        <source>Copyright © 2026 Zentrav. All rights reserved.</source>
        <translation>Copyright © 2026 Zentrav. All rights reserved.</translation>
    </message>
    <message id="stopped">
        <source>Stopped</source>
        <translation>중지됨</translation>
    </message>
    <message id="monitoring_count">
        <source>Monitoring %d</source>
        <translation>%d개 감시 중</translation>
    </message>
    <message id="start">
        <source>Start</source>
        <translation>시작</translation>
    </message>
    <message id="stop">
        <source>Stop</source>
        <translation>중지</translation>
    </message>
    <message id="scan_every">
        <source>Scan every</source>
        <translation>검사 간격</translation>
    </message>
    <message id="clean_memory">
        <source>Clean Memory</source>
        <translation>메모리 정리</translation>
    </message>
    <message id="targets_tab">
        <source>Watch List</source>
        <translation>감시 목록</translation>
    </message>
    <message id="browse_all_tab">
        <source>All Processes</source>
        <translation>모든 프로세스</translation>
    </message>
    <message id="input_placeholder">
        <source>Process name to watch</source>
        <translation>감시할 프로세스 이름</translation>
    </message>
    <message id="search_placeholder">
        <source>Search processes</source>
        <translation>프로세스 검색</translation>
    </message>
    <message id="add_button">
        <source>Add</source>
        <translation>추가</translation>
    </message>
    <message id="no_processes_added">
        <source>No processes added yet</source>
        <translation>추가된 프로세스가 없습니다</translation>
    </message>
    <message id="process_count">
        <source>%d processes</source>
        <translation>프로세스 %d개</translation>
    </message>
    <message id="kill_log">
        <source>Kill Log</source>
        <translation>종료 기록</translation>
    </message>
    <message id="no_kills_yet">
        <source>No processes terminated yet</source>
        <translation>아직 종료된 프로세스가 없습니다</translation>
    </message>
    <message id="export_log">
        <source>Export Logs</source>
        <translation>기록 내보내기</translation>
    </message>
    <message id="clear_log">
        <source>Clear Logs</source>
        <translation>기록 지우기</translation>
    </message>
    <message id="launch_at_login">
        <source>Launch at Login</source>
        <translation>로그인 시 실행</translation>
    </message>
    <message id="export_targets">
        <source>Export Watch List…</source>
        <translation>감시 목록 내보내기…</translation>
    </message>
    <message id="import_targets">
        <source>Import Watch List…</source>
        <translation>감시 목록 가져오기…</translation>
    </message>
    <message id="export_all_title">
        <source>Export All Logs</source>
        <translation>모든 기록 내보내기</translation>
    </message>
    <message id="msg_killed">
        <source>Terminated</source>
        <translation>종료됨</translation>
    </message>
    <message id="msg_force_killed">
        <source>Force killed</source>
        <translation>강제 종료됨</translation>
    </message>
    <message id="msg_already_exited">
        <source>Already exited</source>
        <translation>이미 종료됨</translation>
    </message>
    <message id="msg_no_permission">
        <source>No permission</source>
        <translation>권한 없음</translation>
    </message>
    <message id="msg_failed">
        <source>Failed (error %d)</source>
        <translation>실패 (오류 %d)</translation>
    </message>
</context>
</TS>
